// The convergence type of three values, on values built to be each kind and on the edges
// between kinds.
#include "malhas/verification/convergence_type.h"

#include <gtest/gtest.h>

namespace malhas {
namespace {

TEST(ConvergenceType, EachKindFromTheRatioOfTheTwoDifferences) {
  const struct {
    double coarsest, middle, finest;
    Convergence kind;
    double ratio;
  } cases[] = {
      {1, 2, 2.5, Convergence::Monotonic, 0.5},               // differences 1, 0.5
      {1, 2, 1.75, Convergence::Oscillatory, -0.25},          // 1, -0.25
      {1, 2, 4, Convergence::MonotonicDivergence, 2},         // 1, 2
      {1, 2, -1, Convergence::OscillatoryDivergence, -3},     // 1, -3
      {1, 2, 3, Convergence::MonotonicDivergence, 1},         // R = 1: the differences do not shrink
      {1, 2, 1, Convergence::OscillatoryDivergence, -1},      // R = -1: nor does the oscillation
      {3, 2, 1.5, Convergence::Monotonic, 0.5},               // falling values, the same ratio
      {1, 2, 2, Convergence::NoChange, 0},                    // the two finest agree
      {2, 2, 2, Convergence::NoChange, 0},
  };
  for (const auto& c : cases) {
    const ConvergenceType t = convergence_type(c.coarsest, c.middle, c.finest);
    ASSERT_TRUE(t.defined);
    EXPECT_EQ(t.kind, c.kind) << c.coarsest << " " << c.middle << " " << c.finest;
    EXPECT_DOUBLE_EQ(t.ratio, c.ratio) << c.coarsest << " " << c.middle << " " << c.finest;
  }
  // A change after none: |R| is infinite, a divergence.
  EXPECT_EQ(convergence_type(2, 2, 3).kind, Convergence::MonotonicDivergence);
  EXPECT_EQ(convergence_type(2, 2, 1).kind, Convergence::MonotonicDivergence);
}

}  // namespace
}  // namespace malhas
