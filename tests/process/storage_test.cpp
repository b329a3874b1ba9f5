// Arrays of reals: zero when created, their values kept when they grow on the heap and when they
// grow past the size from which their pages are populated.
#include "process/storage.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace process {
namespace {

TEST(Storage, CreatedRealsAreZeroAndAligned) {
  for (const std::int64_t count : {std::int64_t{0}, std::int64_t{5}, std::int64_t{1} << 20}) {
    double* reals = create_reals(count, Pages::at_creation, 2);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(reals) % 16, 0u) << count;
    std::int64_t nonzero = 0;
    for (std::int64_t i = 0; i < count; ++i) nonzero += reals[i] != 0.0;
    EXPECT_EQ(nonzero, 0) << count;
    release_reals(reals, count);
  }
}

TEST(Storage, GrowingKeepsTheValues) {
  struct Growth {
    std::int64_t from, to;
  };
  // 16384 reals are 128 KiB, from which arrays are populated as they are created.
  for (const Growth g : {Growth{64, 128}, Growth{8192, 16384}, Growth{16384, 40000}}) {
    double* reals = create_reals(g.from, Pages::at_creation, 2);
    for (std::int64_t i = 0; i < g.from; ++i) reals[i] = static_cast<double>(i) + 0.5;
    grow_reals(reals, g.from, g.to, 2);
    std::int64_t changed = 0;
    for (std::int64_t i = 0; i < g.from; ++i) changed += reals[i] != static_cast<double>(i) + 0.5;
    EXPECT_EQ(changed, 0) << g.from << " to " << g.to;
    reals[g.to - 1] = 1.0;  // the new end is storage of the array (AddressSanitizer checks)
    release_reals(reals, g.to);
  }
}

}  // namespace
}  // namespace process
