#include "fin/solver.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "fin/tip_uds.h"
#include "tests/fin/straightforward_solver.h"
#include "tests/fin/worked_case.h"

namespace fin {
namespace {

using testing::bits;

// A system given row by row as (ap, aw, ae, bp).
struct System {
  NodeArray<double> ap, aw, ae, bp;
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
  NodeArray<double> solve(double initial = 0.0) const {
    NodeArray<double> T(n);
    for (std::int32_t i = 1; i <= n; ++i) T[i] = initial;
    TridiagonalSolver<double>().solve(ap, aw, ae, bp, T, n);
    return T;
  }
  std::array<double, 3> norms(const NodeArray<double>& T) const {
    const ResidualNorms r = residual_norms(ap, aw, ae, bp, T, n);
    return {r.l1, r.l2, r.linf};
  }
};

const System kWorked({{1, 0, 0, 100}, {3, 1, 1, 0}, {2, 1, 0, 0}});

TEST(TridiagonalSolver, WorkedThreeNodeSystemGivesExactTemperatures) {
  NodeArray<double> T = kWorked.solve();
  EXPECT_EQ(T[1], 100.0);
  EXPECT_EQ(T[2], 40.0);
  EXPECT_EQ(T[3], 20.0);
}

TEST(TridiagonalSolver, ResultDoesNotDependOnPreviousContents) {
  NodeArray<double> first = kWorked.solve(0.0);
  NodeArray<double> second = kWorked.solve(-7.5e300);
  for (std::int32_t i = 1; i <= 3; ++i) EXPECT_EQ(first[i], second[i]);
}

TEST(TridiagonalSolver, UnusedCornerCoefficientsAreIgnored) {
  System corners({{1, 99, 0, 100}, {3, 1, 1, 0}, {2, 1, -42, 0}});
  NodeArray<double> T = corners.solve();
  EXPECT_EQ(T[1], 100.0);
  EXPECT_EQ(T[2], 40.0);
  EXPECT_EQ(T[3], 20.0);
}

TEST(TridiagonalSolver, SmallestSystems) {
  NodeArray<double> one = System({{4, 0, 0, 10}}).solve();
  EXPECT_EQ(one[1], 2.5);
  // Base row and one tip row: T(1) = 8, 2·T(2) = T(1) + 4.
  NodeArray<double> two = System({{1, 0, 0, 8}, {2, 1, 0, 4}}).solve();
  EXPECT_EQ(two[1], 8.0);
  EXPECT_EQ(two[2], 6.0);
}

TEST(ResidualNorms, ExactSolutionHasZeroNorms) {
  NodeArray<double> T = kWorked.solve();
  for (double norm : kWorked.norms(T)) EXPECT_EQ(norm, 0.0);
}

TEST(ResidualNorms, OnlyTheTipRowViolated) {
  NodeArray<double> T = kWorked.solve();
  T[3] = 21.0;  // row 3: 1·40 - 2·21 + 0 = -2; row 2 sees T(3) too: 1·21 - 3·40 + 100 = 1
  auto [l1, l2, linf] = kWorked.norms(T);
  EXPECT_EQ(l1, 3.0);
  EXPECT_EQ(l2, std::sqrt(5.0));
  EXPECT_EQ(linf, 2.0);

  System tip_only({{1, 0, 0, 100}, {3, 1, 0, 0}});  // row 2 has no east neighbour
  NodeArray<double> U(2);
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
  NodeArray<double> zero(4);
  auto [l1, l2, linf] = diagonal.norms(zero);
  EXPECT_EQ(l1, 7.0);
  EXPECT_EQ(l2, std::sqrt(21.0));
  EXPECT_EQ(linf, 4.0);
}

// The worked fin on n nodes with the UDS tip, its rows built as a run builds them.
Case<double> build_worked_fin(std::int32_t n) {
  const GeneralInput in = testing::worked_input(TipScheme::Uds, n);
  Case<double> c = prepare_case<double>(in, in.mesh_choice());
  UdsTip<double>::row(c.fin, c.mesh, c.solution.T, c.system);
  return c;
}

// Rows with random coefficients of either sign and a dominant diagonal.
System random_system(std::int32_t n, unsigned seed) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> coefficient(-1.0, 1.0);
  std::vector<std::array<double, 4>> rows(n);
  for (auto& row : rows) {
    row = {3.0 + coefficient(random), coefficient(random), coefficient(random),
           1e3 * coefficient(random)};
  }
  return System(rows);
}

void expect_same_solution(const NodeArray<double>& ap, const NodeArray<double>& aw, const NodeArray<double>& ae,
                          const NodeArray<double>& bp, std::int32_t n, TridiagonalSolver<double>& solver) {
  NodeArray<double> expected(n), kept(n), own(n);
  testing::straightforward_solve(ap, aw, ae, bp, expected, n);
  for (std::int32_t i = 1; i <= n; ++i) kept[i] = std::numeric_limits<double>::quiet_NaN();
  solver.solve(ap, aw, ae, bp, kept, n);
  TridiagonalSolver<double>().solve(ap, aw, ae, bp, own, n);
  for (std::int32_t i = 1; i <= n; ++i) {
    ASSERT_EQ(bits(kept[i]), bits(expected[i])) << "kept storage, node " << i << " of " << n;
    ASSERT_EQ(bits(own[i]), bits(expected[i])) << "own storage, node " << i << " of " << n;
  }
}

TEST(TridiagonalSolver, SameBitsAsTheStraightforwardAlgorithm) {
  // One solver for every system, larger and smaller in turn: what a solve leaves in the work
  // storage must not reach the next one.
  TridiagonalSolver<double> solver;
  for (std::int32_t n : {3, 100003, 1000, 4}) {
    const Case<double> c = build_worked_fin(n);
    const DiscreteSystem<double>& s = c.system;
    expect_same_solution(s.ap, s.aw, s.ae, s.bp, n, solver);
  }
  for (std::int32_t n : {5000, 2, 1}) {
    System s = random_system(n, static_cast<unsigned>(n));
    expect_same_solution(s.ap, s.aw, s.ae, s.bp, n, solver);
  }
}

void expect_same_norms(const NodeArray<double>& ap, const NodeArray<double>& aw, const NodeArray<double>& ae,
                       const NodeArray<double>& bp, const NodeArray<double>& T, std::int32_t n) {
  const ResidualNorms got = residual_norms(ap, aw, ae, bp, T, n);
  const testing::StraightforwardNorms want = testing::straightforward_norms(ap, aw, ae, bp, T, n);
  EXPECT_EQ(bits(got.l1), bits(want.l1)) << n;
  EXPECT_EQ(bits(got.l2), bits(want.l2)) << n;
  EXPECT_EQ(bits(got.linf), bits(want.linf)) << n;
}

TEST(ResidualNorms, OnePassGivesTheBitsOfThreePasses) {
  // The residuals of a solution are rounding errors, whose sums depend on the order they are
  // added in; a rough field gives large residuals of both signs.
  for (std::int32_t n : {2, 3, 20001}) {
    Case<double> c = build_worked_fin(n);
    const DiscreteSystem<double>& s = c.system;
    NodeArray<double>& T = c.solution.T;
    TridiagonalSolver<double>().solve(s.ap, s.aw, s.ae, s.bp, T, n);
    expect_same_norms(s.ap, s.aw, s.ae, s.bp, T, n);
    for (std::int32_t i = 1; i <= n; ++i) T[i] += (i % 7) * 0.3 - (i % 3) * 0.45;
    expect_same_norms(s.ap, s.aw, s.ae, s.bp, T, n);
  }
  System s = random_system(3000, 11);
  NodeArray<double> T = s.solve();
  expect_same_norms(s.ap, s.aw, s.ae, s.bp, T, s.n);
}

}  // namespace
}  // namespace fin
