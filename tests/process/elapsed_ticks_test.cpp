#include "process/elapsed_ticks.h"

#include <gtest/gtest.h>

namespace process {
namespace {

constexpr std::uint64_t kOneSecond = 10'000'000;  // in 100-ns units

TEST(ElapsedTicks, CountsWholeTwoHundredNanosecondUnits) {
  const std::uint64_t origin = 132'000'000'000'000'000ULL;  // a date in 2019
  EXPECT_EQ(ticks_of_200ns_between(origin, origin), 0);
  EXPECT_EQ(ticks_of_200ns_between(origin, origin + 15'000'000), 7'500'000);  // 1.5 s
  EXPECT_DOUBLE_EQ(static_cast<double>(ticks_of_200ns_between(origin, origin + 15'000'000)) * 2.0e-7,
                   1.5);
}

TEST(ElapsedTicks, CrossesTheLowHalfBoundary) {
  // The low halves wrap while the high halves step by one.
  const std::uint64_t origin = (std::uint64_t{7} << 32) + 0xFFFFFFF0ULL - 0xFFF0;
  const std::uint64_t now = origin + 3 * kOneSecond;
  EXPECT_EQ(ticks_of_200ns_between(origin, now), static_cast<std::int64_t>(3 * kOneSecond / 2));
}

TEST(ElapsedTicks, ClockSetBackGivesNegativeCount) {
  const std::uint64_t origin = (std::uint64_t{9} << 32) + 20000;
  EXPECT_EQ(ticks_of_200ns_between(origin, origin - 2 * kOneSecond),
            -static_cast<std::int64_t>(kOneSecond));
  EXPECT_EQ(ticks_of_200ns_between(origin, origin - (std::uint64_t{5} << 32)),
            -(std::int64_t{5} << 31));
}

}  // namespace
}  // namespace process
