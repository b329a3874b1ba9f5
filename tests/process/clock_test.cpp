#include "process/clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>


namespace process {
namespace {

TEST(ElapsedClock, FirstReadingIsZeroAndLaterOnesCountFromIt) {
  ElapsedTimeClock clock;
  EXPECT_EQ(clock.elapsed_seconds(), 0.0);
  std::this_thread::sleep_for(std::chrono::milliseconds(120));
  const double later = clock.elapsed_seconds();
  EXPECT_GE(later, 0.1);
  EXPECT_LE(later, 5.0);
  // Readings are whole milliseconds apart from the origin.
  const double millis = later * 1000.0;
  EXPECT_NEAR(millis, std::round(millis), 1e-6);
}

}  // namespace
}  // namespace process
