// Blocks from the system come zeroed with every page already present, and a block made longer
// keeps its contents with every page of the new part present too.
#include "platform/pages.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

namespace platform {
namespace {

const std::size_t kPage = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));

// How many of the `pages` pages from `block` are in memory now.
std::size_t present_pages(void* block, std::size_t pages) {
  std::vector<unsigned char> in_core(pages);
  if (mincore(block, pages * kPage, in_core.data()) != 0) return 0;
  std::size_t present = 0;
  for (const unsigned char page : in_core) present += page & 1;
  return present;
}

TEST(Pages, ObtainedBlockIsZeroAlignedAndPresent) {
  const std::size_t bytes = 40 * kPage + 8;  // 41 pages
  auto* block = static_cast<unsigned char*>(obtain_pages(bytes, true));
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % kPage, 0u);
  EXPECT_EQ(present_pages(block, 41), 41u);
  std::size_t nonzero = 0;
  for (std::size_t i = 0; i < bytes; ++i) nonzero += block[i] != 0;
  EXPECT_EQ(nonzero, 0u);
  release_pages(block, bytes);
}

TEST(Pages, GrownBlockKeepsItsContentsAndIsPresent) {
  const std::size_t old_bytes = 3 * kPage;
  const std::size_t new_bytes = 10 * kPage + 1;  // 11 pages
  auto* block = static_cast<unsigned char*>(obtain_pages(old_bytes, true));
  ASSERT_NE(block, nullptr);
  for (std::size_t i = 0; i < old_bytes; ++i) block[i] = static_cast<unsigned char>(i % 251 + 1);
  auto* grown = static_cast<unsigned char*>(grow_pages(block, old_bytes, new_bytes));
  ASSERT_NE(grown, nullptr);
  EXPECT_EQ(present_pages(grown, 11), 11u);
  std::size_t wrong = 0;
  for (std::size_t i = 0; i < new_bytes; ++i) {
    wrong += grown[i] != (i < old_bytes ? static_cast<unsigned char>(i % 251 + 1) : 0);
  }
  EXPECT_EQ(wrong, 0u);
  release_pages(grown, new_bytes);
}

}  // namespace
}  // namespace platform
