// Populating a block makes every whole page in it present and keeps what it holds.
#include "platform/pages.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <vector>

namespace platform {
namespace {

TEST(Pages, PopulatedPagesArePresentAndKeepTheirContents) {
  const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  const std::size_t pages = 12;
  void* mapping = mmap(nullptr, pages * page, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(mapping, MAP_FAILED);
  auto* bytes = static_cast<unsigned char*>(mapping);
  bytes[5 * page + 7] = 42;
  // From inside page 0 to inside page 11: pages 1 to 10 are whole.
  ASSERT_TRUE(populate_pages(bytes + 100, 11 * page));
  std::vector<unsigned char> in_core(pages);
  ASSERT_EQ(mincore(mapping, pages * page, in_core.data()), 0);
  for (std::size_t i = 1; i <= 10; ++i) EXPECT_TRUE(in_core[i] & 1) << "page " << i;
  EXPECT_EQ(bytes[5 * page + 7], 42);
  EXPECT_EQ(bytes[5 * page + 8], 0);
  munmap(mapping, pages * page);
}

}  // namespace
}  // namespace platform
