#include "fin/solver.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

namespace fin {
namespace {

// A system given row by row as (ap, aw, ae, bp).
struct System {
  NodeArray ap, aw, ae, bp;
  std::int32_t n;
  explicit System(const std::vector<std::array<double, 4>>& rows)
      : ap(static_cast<std::int32_t>(rows.size())),
        aw(static_cast<std::int32_t>(rows.size())),
        ae(static_cast<std::int32_t>(rows.size())),
        bp(static_cast<std::int32_t>(rows.size())),
        n(static_cast<std::int32_t>(rows.size())) {
    for (std::int32_t i = 1; i <= n; ++i) {
      ap[i] = rows[i - 1][0];
      aw[i] = rows[i - 1][1];
      ae[i] = rows[i - 1][2];
      bp[i] = rows[i - 1][3];
    }
  }
  NodeArray solve(double initial = 0.0) const {
    NodeArray T(n);
    for (std::int32_t i = 1; i <= n; ++i) T[i] = initial;
    solve_tridiagonal(ap, aw, ae, bp, T, n);
    return T;
  }
  std::array<double, 3> norms(const NodeArray& T) const {
    std::array<double, 3> result{};
    residual_norm_l1(ap, aw, ae, bp, T, n, result[0]);
    residual_norm_l2(ap, aw, ae, bp, T, n, result[1]);
    residual_norm_linf(ap, aw, ae, bp, T, n, result[2]);
    return result;
  }
};

const System kWorked({{1, 0, 0, 100}, {3, 1, 1, 0}, {2, 1, 0, 0}});

TEST(TridiagonalSolver, WorkedThreeNodeSystemGivesExactTemperatures) {
  NodeArray T = kWorked.solve();
  EXPECT_EQ(T[1], 100.0);
  EXPECT_EQ(T[2], 40.0);
  EXPECT_EQ(T[3], 20.0);
}

TEST(TridiagonalSolver, ResultDoesNotDependOnPreviousContents) {
  NodeArray first = kWorked.solve(0.0);
  NodeArray second = kWorked.solve(-7.5e300);
  for (std::int32_t i = 1; i <= 3; ++i) EXPECT_EQ(first[i], second[i]);
}

TEST(TridiagonalSolver, UnusedCornerCoefficientsAreIgnored) {
  System corners({{1, 99, 0, 100}, {3, 1, 1, 0}, {2, 1, -42, 0}});
  NodeArray T = corners.solve();
  EXPECT_EQ(T[1], 100.0);
  EXPECT_EQ(T[2], 40.0);
  EXPECT_EQ(T[3], 20.0);
}

TEST(TridiagonalSolver, SmallestSystems) {
  NodeArray one = System({{4, 0, 0, 10}}).solve();
  EXPECT_EQ(one[1], 2.5);
  // Base row and one tip row: T(1) = 8, 2·T(2) = T(1) + 4.
  NodeArray two = System({{1, 0, 0, 8}, {2, 1, 0, 4}}).solve();
  EXPECT_EQ(two[1], 8.0);
  EXPECT_EQ(two[2], 6.0);
}

TEST(ResidualNorms, ExactSolutionHasZeroNorms) {
  NodeArray T = kWorked.solve();
  for (double norm : kWorked.norms(T)) EXPECT_EQ(norm, 0.0);
}

TEST(ResidualNorms, OnlyTheTipRowViolated) {
  NodeArray T = kWorked.solve();
  T[3] = 21.0;  // row 3: 1·40 - 2·21 + 0 = -2; row 2 sees T(3) too: 1·21 - 3·40 + 100 = 1
  auto [l1, l2, linf] = kWorked.norms(T);
  EXPECT_EQ(l1, 3.0);
  EXPECT_EQ(l2, std::sqrt(5.0));
  EXPECT_EQ(linf, 2.0);

  System tip_only({{1, 0, 0, 100}, {3, 1, 0, 0}});  // row 2 has no east neighbour
  NodeArray U(2);
  U[1] = 100;
  U[2] = 30;  // 1·100 - 3·30 = 10
  auto [m1, m2, minf] = tip_only.norms(U);
  EXPECT_EQ(m1, 10.0);
  EXPECT_EQ(m2, 10.0);
  EXPECT_EQ(minf, 10.0);
}

TEST(ResidualNorms, NormsOfAKnownResidualVector) {
  // Rows with ap = 1 and no neighbours: R(i) = bp(i) - T(i).
  System diagonal({{1, 0, 0, 1}, {1, 0, 0, -4}, {1, 0, 0, 2}, {1, 0, 0, 0}});
  NodeArray zero(4);
  auto [l1, l2, linf] = diagonal.norms(zero);
  EXPECT_EQ(l1, 7.0);
  EXPECT_EQ(l2, std::sqrt(21.0));
  EXPECT_EQ(linf, 4.0);
}

}  // namespace
}  // namespace fin
