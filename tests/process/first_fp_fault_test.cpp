#include "process/first_fp_fault.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <thread>

#include "process/held_fp_traps.h"
#include "tests/support/child_process.h"

namespace process {
namespace {

// An overflow whose infinity then meets an invalid subtraction is judged by the overflow; the
// computation goes on to its default results, and a fault held inside a nested scope, as the
// fin's trial evaluations hold theirs, is not the first.
TEST(FirstFpFault, KeepsTheFirstFaultAndGoesOn) {
  FirstFpFault faults;
  EXPECT_FALSE(faults.first());
  volatile double zero = 0.0;
  volatile double huge = DBL_MAX;
  volatile double held = 0;
  {
    HeldFpTraps trial;
    held = 1.0 / zero;
  }
  EXPECT_FALSE(faults.first());
  volatile double infinite = huge * 2.0;
  volatile double nan = infinite - infinite;
  EXPECT_TRUE(std::isinf(held) && std::isinf(infinite) && std::isnan(nan));
  ASSERT_TRUE(faults.first());
  EXPECT_EQ(*faults.first(), platform::FpFault::Overflow);
}

// After the scope a trapping program's faults reach its own handler again; not before, while a
// scope is open on any thread. The handler's exit code tells where it was reached.
volatile int phase = 0;

TEST(FirstFpFault, GivesTrapsBackToTheHandlerBefore) {
  const testing_support::ChildResult r = testing_support::run_in_child([] {
    platform::install_fp_fault_handler([](platform::FpFault) { std::_Exit(phase); });
    platform::enable_fp_traps();
    volatile double zero = 0.0;
    volatile double infinite = 0;
    {
      FirstFpFault outer;
      std::thread([] { FirstFpFault inner; }).join();
      phase = 1;
      infinite = 1.0 / zero;  // recorded: this thread's scope is still open
      if (!outer.first()) std::_Exit(2);
    }
    phase = 42;
    infinite = 1.0 / zero;
    (void)infinite;
  });
  EXPECT_EQ(r.exit_code, 42);
}

// A program that does not trap (the study's main thread computes meshes too) gets its default
// results again after the scope.
TEST(FirstFpFault, LeavesAProgramWithoutTrapsWithout) {
  const testing_support::ChildResult r = testing_support::run_in_child([] {
    { FirstFpFault scope; }
    volatile double huge = DBL_MAX;
    volatile double infinite = huge * 2.0;
    if (!std::isinf(infinite)) std::_Exit(3);
  });
  EXPECT_EQ(r.exit_code, 0);
}

}  // namespace
}  // namespace process
