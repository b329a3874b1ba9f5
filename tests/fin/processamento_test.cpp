#include "fin/processamento.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "fin/coeficientes.h"
#include "tests/fin/straightforward_solver.h"
#include "tests/fin/worked_case.h"

namespace fin {
namespace {

using testing::fill_worked_case;
using testing::bits;
using testing::same_16_digits;

// The worked fin solved as a run would, without its input files and report.
void solve_worked_case(CaseRecord& c, int scheme, int nodes = 3) {
  fill_worked_case(c, scheme, nodes);
  build_mesh(c);
  if (scheme == 1) solve_uds(c);
  if (scheme == 2) iterate_uds2(c);
  analytical_solution(c);
  numerical_heat_rates(c);
}

void set_iteration(CaseRecord& c, std::int32_t itmax, double tol, double T0) {
  c.itmax = itmax;
  c.tol = tol;
  c.T0 = T0;
}

TEST(Mesh, WorkedCase) {
  CaseRecord c;
  fill_worked_case(c);
  build_mesh(c);
  EXPECT_EQ(c.dx, 0.1 / 2.0);
  EXPECT_NEAR(c.m, 4.472136, 1e-6);
  EXPECT_EQ(c.x[1], 0.0);
  EXPECT_EQ(c.x[2], 0.05);
  EXPECT_EQ(c.x[3], 0.1);
  EXPECT_EQ(c.ap[1], 1.0);
  EXPECT_NEAR(c.ap[2], 2.05, 1e-15);
  for (std::int32_t i = 1; i <= 3; ++i) EXPECT_EQ(c.T[i], 0.0) << "T starts at zero";
}

TEST(UdsDriver, WorkedCaseMatchesTheReferenceReport) {
  CaseRecord c;
  solve_worked_case(c, 1);
  EXPECT_EQ(c.T[1], 100.0);
  EXPECT_NEAR(c.T[2], 96.25933, 1e-5);
  EXPECT_TRUE(same_16_digits(c.T[3], 9.608162539983418E+01)) << c.T[3];
  EXPECT_TRUE(same_16_digits(c.qdds1, 1.496268214666497E+00)) << c.qdds1;
  EXPECT_TRUE(same_16_digits(c.qdds2, 2.208861509299834E+00)) << c.qdds2;
}

TEST(AnalyticalSolution, WorkedCase) {
  CaseRecord c;
  solve_worked_case(c, 1);
  EXPECT_NEAR(c.Ta[1], 100.0, 1e-13);
  EXPECT_NEAR(c.Ta[2], 94.63198, 1e-5);
  EXPECT_TRUE(same_16_digits(c.Ta[3], 9.276009421089164E+01)) << c.Ta[3];
  EXPECT_TRUE(same_16_digits(c.qa, 2.876308135547406E+00)) << c.qa;
  // θ at the tip is θb/Dn with Dn ≈ 1.106846.
  EXPECT_NEAR((c.Tb - c.Tinf) / (c.Ta[3] - c.Tinf), 1.106846, 1e-6);
}

TEST(AnalyticalSolution, NoTemperatureDifferenceMeansNoHeat) {
  CaseRecord c;
  fill_worked_case(c);
  c.Tinf = c.Tb;
  build_mesh(c);
  analytical_solution(c);
  for (std::int32_t i = 1; i <= 3; ++i) EXPECT_EQ(c.Ta[i], c.Tinf);
  EXPECT_EQ(c.qa, 0.0);
}

TEST(Uds2Driver, WorkedCaseMatchesTheReferenceReport) {
  CaseRecord c;
  set_iteration(c, 100, 1e-10, 25);
  solve_worked_case(c, 2);
  EXPECT_EQ(c.it, 23);
  EXPECT_TRUE(same_16_digits(c.L1[0], 7.500000000000001E+01)) << c.L1[0];
  EXPECT_TRUE(same_16_digits(c.L2[0], 7.5E+01));
  EXPECT_TRUE(same_16_digits(c.L1[1] / c.L1[0], 9.825172059172472E+00));
  EXPECT_TRUE(same_16_digits(c.L2[1] / c.L2[0], 9.825172059172473E+00));
  EXPECT_TRUE(same_16_digits(c.Linf[20] / c.Linf[0], 3.145038742028798E-09));
  EXPECT_TRUE(same_16_digits(c.L1[23] / c.L1[0], 9.958076141458603E-11));
  EXPECT_TRUE(same_16_digits(c.T[3], 9.270049762762490E+01)) << c.T[3];
  EXPECT_TRUE(same_16_digits(c.qdds1, 2.156000462902455E+00));
  EXPECT_TRUE(same_16_digits(c.qdds2, 2.852100451329886E+00));
}

TEST(Uds2Driver, ConvergedTipSatisfiesTheSecondOrderCondition) {
  CaseRecord c;
  set_iteration(c, 1000, 1e-14, 25);
  solve_worked_case(c, 2, 21);
  const std::int32_t n = c.N;
  // (3k + 2h·dx)·T(N) = 4k·T(N-1) - k·T(N-2) + 2h·dx·Tinf
  const double lhs = (3 * c.k + 2 * c.h * c.dx) * c.T[n];
  const double rhs = 4 * c.k * c.T[n - 1] - c.k * c.T[n - 2] + 2 * c.h * c.dx * c.Tinf;
  EXPECT_NEAR(lhs, rhs, 1e-9 * std::fabs(lhs));
}

TEST(Uds2Driver, IterationCountRule) {
  struct Row {
    std::int32_t itmax;
    double tol;
    std::int32_t expected_it;
  };
  // L1(1)/L1(0) is about 9.8 for the worked fin from T0 = 25, and falls by about 3 per solve.
  const Row rows[] = {
      {0, 1e-10, 0},   // no solve at all
      {100, 10, 1},    // a loose tolerance stops after the first solve
      {7, 0.0, 7},     // tol of 0 never stops early
      {7, -1.0, 7},    // nor does a negative one
      {5, 1e-10, 5},   // not converged: the last row is iteration itmax
  };
  for (const Row& row : rows) {
    CaseRecord c;
    set_iteration(c, row.itmax, row.tol, 25);
    fill_worked_case(c, 2);
    build_mesh(c);
    iterate_uds2(c);
    EXPECT_EQ(c.it, row.expected_it) << "itmax " << row.itmax << " tol " << row.tol;
    EXPECT_GE(c.L1.count(), c.it + 1);
    if (row.itmax == 0) {
      for (std::int32_t i = 1; i <= c.N; ++i) EXPECT_EQ(c.T[i], 25.0);
    }
  }
}

// The iteration written out with the straightforward solve and norms: the norms of every
// iteration and the final field must come out bit for bit the same.
TEST(Uds2Driver, SameBitsAsTheStraightforwardIteration) {
  struct Case {
    std::int32_t nodes, itmax;
    double tol;
  };
  for (const Case& k : {Case{3, 40, 0.0}, Case{2001, 30, 0.0}, Case{501, 5000, 1e-9}}) {
    CaseRecord c;
    set_iteration(c, k.itmax, k.tol, 25);
    fill_worked_case(c, 2, k.nodes);
    build_mesh(c);
    iterate_uds2(c);

    CaseRecord r;
    set_iteration(r, k.itmax, k.tol, 25);
    fill_worked_case(r, 2, k.nodes);
    build_mesh(r);
    for (std::int32_t i = 1; i <= r.N; ++i) r.T[i] = r.T0;
    build_tip_uds2(r);
    std::vector<testing::StraightforwardNorms> norms{
        testing::straightforward_norms(r.ap, r.aw, r.ae, r.bp, r.T, r.N)};
    std::int32_t count = 1;
    for (; count <= r.itmax; ++count) {
      testing::straightforward_solve(r.ap, r.aw, r.ae, r.bp, r.T, r.N);
      build_tip_uds2(r);
      norms.push_back(testing::straightforward_norms(r.ap, r.aw, r.ae, r.bp, r.T, r.N));
      if (norms[count].l1 / norms[0].l1 < r.tol) break;
    }

    ASSERT_EQ(c.it, std::min(k.itmax, count)) << k.nodes;
    for (std::int32_t j = 0; j <= c.it; ++j) {
      SCOPED_TRACE(std::to_string(k.nodes) + " nodes, iteration " + std::to_string(j));
      ASSERT_EQ(bits(c.L1[j]), bits(norms[j].l1));
      ASSERT_EQ(bits(c.L2[j]), bits(norms[j].l2));
      ASSERT_EQ(bits(c.Linf[j]), bits(norms[j].linf));
    }
    for (std::int32_t i = 1; i <= c.N; ++i) ASSERT_EQ(bits(c.T[i]), bits(r.T[i])) << i;
  }
}

// Tip temperature error against the exact solution for meshes of 40·2^j intervals (coarser
// meshes are not yet in the asymptotic range of UDS-2).
std::vector<double> tip_errors(int scheme) {
  std::vector<double> errors;
  for (int intervals = 40; intervals <= 640; intervals *= 2) {
    CaseRecord c;
    set_iteration(c, 10000, 1e-13, 25);
    solve_worked_case(c, scheme, intervals + 1);
    errors.push_back(std::fabs(c.T[c.N] - c.Ta[c.N]));
  }
  return errors;
}

TEST(OrderOfAccuracy, UdsTipErrorHalvesWithTheSpacing) {
  const auto errors = tip_errors(1);
  for (std::size_t j = 1; j < errors.size(); ++j) {
    EXPECT_NEAR(errors[j - 1] / errors[j], 2.0, 0.05) << "refinement " << j;
  }
}

TEST(OrderOfAccuracy, Uds2TipErrorQuartersWithTheSpacing) {
  const auto errors = tip_errors(2);
  for (std::size_t j = 1; j < errors.size(); ++j) {
    EXPECT_NEAR(errors[j - 1] / errors[j], 4.0, 0.45) << "refinement " << j;
  }
}

TEST(HeatRates, LinearAndQuadraticProfiles) {
  CaseRecord c;
  c.N = 3;
  c.dx = 0.01;
  c.Ab = 0.0001;
  c.k = 200;
  c.T.create(3);
  // Quadratic: only the second-order formula is exact.
  c.T[1] = 100;
  c.T[2] = 80;
  c.T[3] = 64;
  numerical_heat_rates(c);
  EXPECT_NEAR(c.qdds1, 40.0, 1e-12);
  EXPECT_NEAR(c.qdds2, 44.0, 1e-12);
  // Linear, T(i) = 50 - 2.5·(i - 1): both give -k·Ab·b/dx = 5.
  c.T[1] = 50;
  c.T[2] = 47.5;
  c.T[3] = 45;
  numerical_heat_rates(c);
  EXPECT_NEAR(c.qdds1, 5.0, 1e-12);
  EXPECT_NEAR(c.qdds2, 5.0, 1e-12);
}

TEST(Schemes, AnyOtherSchemeLeavesTheTemperaturesAtZero) {
  CaseRecord c;
  solve_worked_case(c, 7);
  for (std::int32_t i = 1; i <= c.N; ++i) EXPECT_EQ(c.T[i], 0.0);
  EXPECT_TRUE(same_16_digits(c.Ta[3], 9.276009421089164E+01));
}

}  // namespace
}  // namespace fin
