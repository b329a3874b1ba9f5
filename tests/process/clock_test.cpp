#include "process/clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "tests/support/child_process.h"

namespace process {
namespace {

TEST(ElapsedClock, FirstReadingIsZeroAndLaterOnesCountFromIt) {
  // In a child: the origin is process-wide and set once.
  auto r = testing_support::run_in_child([] {
    if (elapsed_seconds() != 0.0) _exit(2);
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
    const double later = elapsed_seconds();
    if (later < 0.1 || later > 5.0) _exit(3);
    // Readings are whole milliseconds apart from the origin.
    const double millis = later * 1000.0;
    if (std::abs(millis - std::round(millis)) > 1e-6) _exit(4);
  });
  EXPECT_EQ(r.exit_code, 0);
}

}  // namespace
}  // namespace process
