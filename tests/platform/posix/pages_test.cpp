// Populating a block makes every whole page in it present and keeps what it holds.
#include "platform/pages.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <vector>

namespace platform {
namespace {

// A few pages, and a block the population takes in several calls.
TEST(Pages, PopulatedPagesArePresentAndKeepTheirContents) {
  const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  for (const std::size_t pages : {std::size_t{12}, (std::size_t{5} << 20) / page + 3}) {
    void* mapping = mmap(nullptr, pages * page, PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(mapping, MAP_FAILED);
    auto* bytes = static_cast<unsigned char*>(mapping);
    bytes[5 * page + 7] = 42;
    // From inside the first page to inside the last: all the others are whole.
    ASSERT_TRUE(populate_pages(bytes + 100, (pages - 1) * page, 2));
    std::vector<unsigned char> in_core(pages);
    ASSERT_EQ(mincore(mapping, pages * page, in_core.data()), 0);
    for (std::size_t i = 1; i + 1 < pages; ++i) ASSERT_TRUE(in_core[i] & 1) << "page " << i;
    EXPECT_EQ(bytes[5 * page + 7], 42);
    EXPECT_EQ(bytes[5 * page + 8], 0);
    munmap(mapping, pages * page);
  }
}

}  // namespace
}  // namespace platform
