#include "fin/processamento.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "fin/tip_uds2.h"
#include "fin/pos_processamento.h"
#include "tests/fin/straightforward_solver.h"
#include "tests/fin/worked_case.h"

namespace fin {
namespace {

using testing::bits;
using testing::iteration_controls;
using testing::same_16_digits;
using testing::worked_input;

// The worked fin solved as a run would, without its input files and report.
Case<double> solve_worked_case(TipScheme scheme, int nodes = 3, IterationInput iteration = {}) {
  const GeneralInput in = worked_input(scheme, nodes);
  return compute_case<double>(in, in.mesh_choice(), iteration);
}

TEST(Mesh, WorkedCase) {
  const GeneralInput in = worked_input();
  const Case<double> c = prepare_case<double>(in, in.mesh_choice());
  EXPECT_EQ(c.mesh.dx, 0.1 / 2.0);
  EXPECT_NEAR(c.m, 4.472136, 1e-6);
  EXPECT_EQ(c.mesh.x[1], 0.0);
  EXPECT_EQ(c.mesh.x[2], 0.05);
  EXPECT_EQ(c.mesh.x[3], 0.1);
  EXPECT_EQ(c.system.ap[1], 1.0);
  EXPECT_NEAR(c.system.ap[2], 2.05, 1e-15);
  for (std::int32_t i = 1; i <= 3; ++i) EXPECT_EQ(c.solution.T[i], 0.0) << "T starts at zero";
}

TEST(UdsDriver, WorkedCaseMatchesTheReferenceReport) {
  const Case<double> c = solve_worked_case(TipScheme::Uds);
  const NodeArray<double>& T = c.solution.T;
  EXPECT_EQ(T[1], 100.0);
  EXPECT_NEAR(T[2], 96.25933, 1e-5);
  EXPECT_TRUE(same_16_digits(T[3], 9.608162539983418E+01)) << T[3];
  EXPECT_TRUE(same_16_digits(c.rates.qdds1, 1.496268214666497E+00)) << c.rates.qdds1;
  EXPECT_TRUE(same_16_digits(c.rates.qdds2, 2.208861509299834E+00)) << c.rates.qdds2;
}

TEST(AnalyticalSolution, WorkedCase) {
  const Case<double> c = solve_worked_case(TipScheme::Uds);
  const NodeArray<double>& Ta = c.exact.Ta;
  EXPECT_NEAR(Ta[1], 100.0, 1e-13);
  EXPECT_NEAR(Ta[2], 94.63198, 1e-5);
  EXPECT_TRUE(same_16_digits(Ta[3], 9.276009421089164E+01)) << Ta[3];
  EXPECT_TRUE(same_16_digits(c.exact.qa, 2.876308135547406E+00)) << c.exact.qa;
  // θ at the tip is θb/Dn with Dn ≈ 1.106846.
  EXPECT_NEAR((100.0 - 25.0) / (Ta[3] - 25.0), 1.106846, 1e-6);
}

TEST(AnalyticalSolution, NoTemperatureDifferenceMeansNoHeat) {
  GeneralInput in = worked_input();
  in.Tinf = in.Tb;
  Case<double> c = prepare_case<double>(in, in.mesh_choice());
  analytical_solution(c.fin, c.m, c.mesh, 1, c.exact);
  for (std::int32_t i = 1; i <= 3; ++i) EXPECT_EQ(c.exact.Ta[i], in.Tinf);
  EXPECT_EQ(c.exact.qa, 0.0);
}

// A case computed for a sample of its profile holds the full profile's bits at every stride-th
// node and the tip, and nothing else. A fin whose formula comes near overflow (mk = 5e-301:
// sinh(mL)/mk is about 1.5e302) computes every node, since a node between the sample could
// overflow on its own, and keeps the same sample.
TEST(AnalyticalSolution, SampledProfileHasTheFullProfilesBitsAtItsNodes) {
  constexpr std::int64_t N = 101;
  GeneralInput near_overflow = worked_input(TipScheme::Uds, N);
  near_overflow.k = 1e-302;
  near_overflow.h = 6.25e-302;  // m = 50, mL = 5
  struct Sample {
    GeneralInput in;
    std::int64_t stride;
    std::vector<std::int64_t> nodes;  // the sampled nodes, by hand
  };
  std::vector<std::int64_t> every_seventh;
  for (std::int64_t i = 1; i <= N; i += 7) every_seventh.push_back(i);
  every_seventh.push_back(N);  // 99 is the last seventh node
  for (const Sample& s : {Sample{worked_input(TipScheme::Uds, N), 7, every_seventh},
                          Sample{worked_input(TipScheme::Uds2, N), 100, {1, 101}},
                          Sample{worked_input(TipScheme::Uds2, N), 1000, {1, 101}},
                          Sample{near_overflow, 7, every_seventh}}) {
    const IterationInput iteration = iteration_controls(50, 1e-12, 25);
    const Case<double> full = compute_case<double>(s.in, s.in.mesh_choice(), iteration);
    const Case<double> sampled =
        compute_case<double>(s.in, s.in.mesh_choice(), iteration, {s.stride});
    const ProfileNodes& nodes = sampled.exact.nodes;
    ASSERT_EQ(nodes.count(), static_cast<std::int32_t>(s.nodes.size())) << "stride " << s.stride;
    ASSERT_EQ(sampled.exact.Ta.size(), nodes.count());
    for (std::int32_t j = 1; j <= nodes.count(); ++j) {
      const std::int64_t i = s.nodes[static_cast<std::size_t>(j - 1)];
      ASSERT_EQ(nodes.node(j), i) << "stride " << s.stride << " sample " << j;
      EXPECT_EQ(bits(sampled.exact.Ta[j]), bits(full.exact.Ta[i])) << "stride " << s.stride << " node " << i;
    }
    EXPECT_EQ(bits(sampled.exact.qa), bits(full.exact.qa));
    EXPECT_EQ(bits(sampled.exact.tip()), bits(full.exact.tip()));
  }
}

TEST(Uds2Driver, WorkedCaseMatchesTheReferenceReport) {
  const Case<double> c = solve_worked_case(TipScheme::Uds2, 3, iteration_controls(100, 1e-10, 25));
  const Solution<double>& s = c.solution;
  EXPECT_EQ(s.it, 23);
  EXPECT_TRUE(same_16_digits(s.L1[0], 7.500000000000001E+01)) << s.L1[0];
  EXPECT_TRUE(same_16_digits(s.L2[0], 7.5E+01));
  EXPECT_TRUE(same_16_digits(s.L1[1] / s.L1[0], 9.825172059172472E+00));
  EXPECT_TRUE(same_16_digits(s.L2[1] / s.L2[0], 9.825172059172473E+00));
  EXPECT_TRUE(same_16_digits(s.Linf[20] / s.Linf[0], 3.145038742028798E-09));
  EXPECT_TRUE(same_16_digits(s.L1[23] / s.L1[0], 9.958076141458603E-11));
  EXPECT_TRUE(same_16_digits(s.T[3], 9.270049762762490E+01)) << s.T[3];
  EXPECT_TRUE(same_16_digits(c.rates.qdds1, 2.156000462902455E+00));
  EXPECT_TRUE(same_16_digits(c.rates.qdds2, 2.852100451329886E+00));
}

TEST(Uds2Driver, ConvergedTipSatisfiesTheSecondOrderCondition) {
  const GeneralInput in = worked_input(TipScheme::Uds2, 21);
  const Case<double> c = compute_case<double>(in, in.mesh_choice(), iteration_controls(1000, 1e-14, 25));
  const std::int32_t n = in.N;
  const NodeArray<double>& T = c.solution.T;
  const double dx = c.mesh.dx;
  // (3k + 2h·dx)·T(N) = 4k·T(N-1) - k·T(N-2) + 2h·dx·Tinf
  const double lhs = (3 * in.k + 2 * in.h * dx) * T[n];
  const double rhs = 4 * in.k * T[n - 1] - in.k * T[n - 2] + 2 * in.h * dx * in.Tinf;
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
    const GeneralInput in = worked_input(TipScheme::Uds2);
    Case<double> c = prepare_case<double>(in, in.mesh_choice());
    solve_iterated(iteration_controls(row.itmax, row.tol, 25), c);
    const Solution<double>& s = c.solution;
    EXPECT_EQ(s.it, row.expected_it) << "itmax " << row.itmax << " tol " << row.tol;
    EXPECT_GE(s.L1.count(), s.it + 1);
    if (row.itmax == 0) {
      for (std::int32_t i = 1; i <= in.N; ++i) EXPECT_EQ(s.T[i], 25.0);
    }
  }
}

// The iteration written out with the straightforward solve and norms: the norms of every
// iteration and the final field must come out bit for bit the same.
TEST(Uds2Driver, SameBitsAsTheStraightforwardIteration) {
  struct Row {
    std::int32_t nodes, itmax;
    double tol;
  };
  for (const Row& k : {Row{3, 40, 0.0}, Row{2001, 30, 0.0}, Row{501, 5000, 1e-9}}) {
    const GeneralInput in = worked_input(TipScheme::Uds2, k.nodes);
    const IterationInput iteration = iteration_controls(k.itmax, k.tol, 25);
    Case<double> c = prepare_case<double>(in, in.mesh_choice());
    solve_iterated(iteration, c);

    Case<double> r = prepare_case<double>(in, in.mesh_choice());
    DiscreteSystem<double>& s = r.system;
    NodeArray<double>& T = r.solution.T;
    for (std::int32_t i = 1; i <= in.N; ++i) T[i] = iteration.T0;
    Uds2Tip<double>::row(r.fin, r.mesh, T, s);
    std::vector<testing::StraightforwardNorms> norms{
        testing::straightforward_norms(s.ap, s.aw, s.ae, s.bp, T, in.N)};
    std::int32_t count = 1;
    for (; count <= iteration.itmax; ++count) {
      testing::straightforward_solve(s.ap, s.aw, s.ae, s.bp, T, in.N);
      Uds2Tip<double>::row(r.fin, r.mesh, T, s);
      norms.push_back(testing::straightforward_norms(s.ap, s.aw, s.ae, s.bp, T, in.N));
      if (norms[count].l1 / norms[0].l1 < iteration.tol) break;
    }

    const Solution<double>& got = c.solution;
    ASSERT_EQ(got.it, std::min(k.itmax, count)) << k.nodes;
    for (std::int32_t j = 0; j <= got.it; ++j) {
      SCOPED_TRACE(std::to_string(k.nodes) + " nodes, iteration " + std::to_string(j));
      ASSERT_EQ(bits(got.L1[j]), bits(norms[j].l1));
      ASSERT_EQ(bits(got.L2[j]), bits(norms[j].l2));
      ASSERT_EQ(bits(got.Linf[j]), bits(norms[j].linf));
    }
    for (std::int32_t i = 1; i <= in.N; ++i) ASSERT_EQ(bits(got.T[i]), bits(T[i])) << i;
  }
}

// Tip temperature error against the exact solution for meshes of 40·2^j intervals (coarser
// meshes are not yet in the asymptotic range of UDS-2).
std::vector<double> tip_errors(TipScheme scheme) {
  std::vector<double> errors;
  for (int intervals = 40; intervals <= 640; intervals *= 2) {
    const Case<double> c = solve_worked_case(scheme, intervals + 1, iteration_controls(10000, 1e-13, 25));
    const std::int32_t n = c.mesh.N;
    errors.push_back(std::fabs(c.solution.T[n] - c.exact.Ta[n]));
  }
  return errors;
}

TEST(OrderOfAccuracy, UdsTipErrorHalvesWithTheSpacing) {
  const auto errors = tip_errors(TipScheme::Uds);
  for (std::size_t j = 1; j < errors.size(); ++j) {
    EXPECT_NEAR(errors[j - 1] / errors[j], 2.0, 0.05) << "refinement " << j;
  }
}

TEST(OrderOfAccuracy, Uds2TipErrorQuartersWithTheSpacing) {
  const auto errors = tip_errors(TipScheme::Uds2);
  for (std::size_t j = 1; j < errors.size(); ++j) {
    EXPECT_NEAR(errors[j - 1] / errors[j], 4.0, 0.45) << "refinement " << j;
  }
}

TEST(HeatRates, LinearAndQuadraticProfiles) {
  GeneralInput in;
  in.Ab = 0.0001;
  in.k = 200;
  Mesh<double> mesh;
  mesh.N = 3;
  mesh.dx = 0.01;
  NodeArray<double> T(3);
  // Quadratic: only the second-order formula is exact.
  T[1] = 100;
  T[2] = 80;
  T[3] = 64;
  HeatRates<double> rates = numerical_heat_rates(in, mesh, T);
  EXPECT_NEAR(rates.qdds1, 40.0, 1e-12);
  EXPECT_NEAR(rates.qdds2, 44.0, 1e-12);
  // Linear, T(i) = 50 - 2.5·(i - 1): both give -k·Ab·b/dx = 5.
  T[1] = 50;
  T[2] = 47.5;
  T[3] = 45;
  rates = numerical_heat_rates(in, mesh, T);
  EXPECT_NEAR(rates.qdds1, 5.0, 1e-12);
  EXPECT_NEAR(rates.qdds2, 5.0, 1e-12);
}

// Two cases computed at once on two threads share nothing: each comes out bit for bit as it
// does alone.
TEST(ComputeCase, TwoThreadsGiveTheSameBitsAsOne) {
  const GeneralInput first = worked_input(TipScheme::Uds2, 2001);
  const GeneralInput second = worked_input(TipScheme::Uds, 30001);
  const IterationInput iteration = iteration_controls(300, 1e-12, 25);
  auto fingerprint = [](const Case<double>& c) {
    std::vector<std::uint64_t> values;
    for (std::int32_t i = 1; i <= c.mesh.N; ++i) {
      values.push_back(bits(c.solution.T[i]));
      values.push_back(bits(c.exact.Ta[i]));
    }
    for (std::int64_t j = 0; j < c.solution.L1.count(); ++j) {
      values.push_back(bits(c.solution.L1[j]));
      values.push_back(bits(c.solution.L2[j]));
      values.push_back(bits(c.solution.Linf[j]));
    }
    for (double v : {c.exact.qa, c.rates.qdds1, c.rates.qdds2}) values.push_back(bits(v));
    values.push_back(static_cast<std::uint64_t>(c.solution.it));
    return values;
  };
  const auto alone_first = fingerprint(compute_case<double>(first, first.mesh_choice(), iteration));
  const auto alone_second = fingerprint(compute_case<double>(second, second.mesh_choice(), iteration));
  for (int round = 0; round < 3; ++round) {
    std::vector<std::uint64_t> together_first;
    std::thread worker([&] { together_first = fingerprint(compute_case<double>(first, first.mesh_choice(), iteration)); });
    const auto together_second = fingerprint(compute_case<double>(second, second.mesh_choice(), iteration));
    worker.join();
    ASSERT_EQ(together_first, alone_first);
    ASSERT_EQ(together_second, alone_second);
  }
}

}  // namespace
}  // namespace fin
