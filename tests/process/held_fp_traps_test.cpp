#include "process/held_fp_traps.h"

#include <gtest/gtest.h>

#include <cfloat>

namespace process {
namespace {

// A computation judged inside another keeps the outer one's flags: the inner scope forgets
// only what was raised inside it.
TEST(HeldFpTraps, InnerScopeKeepsTheFlagsRaisedBeforeIt) {
  HeldFpTraps outer;
  volatile double huge = DBL_MAX;
  volatile double result = huge * 2.0;
  {
    HeldFpTraps inner;
    EXPECT_FALSE(inner.overflowed());
    volatile double zero = 0.0;
    result = 1.0 / zero;
    EXPECT_TRUE(inner.divided_by_zero());
  }
  (void)result;
  EXPECT_TRUE(outer.overflowed());
  EXPECT_FALSE(outer.divided_by_zero());
}

}  // namespace
}  // namespace process
