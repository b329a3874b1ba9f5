#include "process/first_fp_fault.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "process/held_fp_traps.h"

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

}  // namespace
}  // namespace process
