// The tables' orders and estimates on meshes whose errors are chosen by hand.
#include "malhas/verification/analysis.h"

#include <gtest/gtest.h>

#include <cmath>

#include "malhas/verification/error_budget.h"

namespace malhas {
namespace {

// A mesh of N nodes whose three quantities have the exact value 10 and the given errors.
MeshOutcome mesh(std::int32_t N, double e_tip, double e_q1, double e_q2) {
  MeshOutcome m;
  m.N = N;
  m.exact = {10, 10, 10};
  m.value = {10 - e_tip, 10 - e_q1, 10 - e_q2};
  return m;
}

MeshOutcome failed(std::int32_t N) {
  MeshOutcome m;
  m.N = N;
  m.failure = "memória insuficiente";
  return m;
}

TEST(Analysis, OrdersAndEstimatesSitOnTheFinestMeshTheyUse) {
  // Tip errors 1, 1/4, 1/16: second order; values 9, 9.75, 9.9375.
  const SchemeStudy s = analyse(fin::TipScheme::Uds2, {mesh(3, 1, 1, 1), mesh(5, 0.25, 0.5, 0.25), mesh(9, 0.0625, 0.25, 0.0625)});
  const auto& tip = [&](std::size_t k) { return s.rows[k][index_of(Quantity::TipTemperature)]; };
  EXPECT_FALSE(tip(0).effective_order.defined);
  EXPECT_EQ(tip(0).effective_order.reason, "malhas insuficientes");
  EXPECT_DOUBLE_EQ(tip(1).effective_order.value, 2);
  EXPECT_EQ(tip(1).apparent_order.reason, "malhas insuficientes");
  EXPECT_DOUBLE_EQ(tip(2).apparent_order.value, 2);  // differences 0.75 and 0.1875
  // U with p_L = 2: 0.1875 / 3 = 0.0625, the true error exactly.
  EXPECT_DOUBLE_EQ(tip(2).estimate_asymptotic.value, 0.0625);
  EXPECT_DOUBLE_EQ(tip(2).ratio_asymptotic.value, 1);
  EXPECT_DOUBLE_EQ(tip(2).gci_apparent.value, 1.25 * 0.0625);
  EXPECT_DOUBLE_EQ(tip(2).gci_asymptotic.value, 3 * 0.0625);
  // qdds1 has p_L = 1 under UDS-2: U = 0.25 / 1 against E = 0.25.
  EXPECT_DOUBLE_EQ(s.rows[2][index_of(Quantity::Qdds1)].ratio_asymptotic.value, 1);
}

TEST(Analysis, FailedMeshLeavesItsNeighboursOrdersEmptyWithTheReason) {
  const SchemeStudy s = analyse(fin::TipScheme::Uds, {mesh(3, 1, 1, 1), failed(5), mesh(9, 0.25, 0.25, 0.25),
                                    mesh(17, 0.125, 0.125, 0.125)});
  const auto& tip = [&](std::size_t k) { return s.rows[k][index_of(Quantity::TipTemperature)]; };
  EXPECT_EQ(tip(2).effective_order.reason, "malha mais grossa falhou");
  EXPECT_DOUBLE_EQ(tip(3).effective_order.value, 1);
  EXPECT_EQ(tip(3).apparent_order.reason, "malha mais grossa falhou");
}

TEST(Analysis, ApparentOrderAndItsEstimatesOnChangingRatios) {
  // 3 -> 5 halves the spacing, 5 -> 13 divides it by 3; errors h/2: first order. Celik's p is 1,
  // and the estimate on the finest mesh uses r21 = 3: U = (9.8333... - 9.5) / (3 - 1) = 1/6 = E.
  const SchemeStudy s = analyse(fin::TipScheme::Uds, {mesh(3, 1, 1, 1), mesh(5, 0.5, 0.5, 0.5), mesh(13, 0.5 / 3, 0.5 / 3, 0.5 / 3)});
  const QuantityAnalysis& a = s.rows[2][index_of(Quantity::Qdds2)];
  EXPECT_NEAR(a.effective_order.value, 1, 1e-12);  // the errors are rounded through 10 - e
  ASSERT_TRUE(a.apparent_order.defined) << a.apparent_order.reason;
  EXPECT_NEAR(a.apparent_order.value, 1, 1e-12);
  EXPECT_NEAR(a.estimate_apparent.value, 1.0 / 6, 1e-12);
  EXPECT_NEAR(a.gci_apparent_relative.value, 1.25 / 6 / (10 - 1.0 / 6), 1e-12);
}

TEST(Analysis, NoEstimatesFromANegativeApparentOrder) {
  // Differences 0.5 then 0.75: they grow, p_U = log2(2/3) < 0; U(p_L) is still given.
  const SchemeStudy s = analyse(fin::TipScheme::Uds, {mesh(3, 2, 2, 2), mesh(5, 1.5, 1.5, 1.5), mesh(9, 0.75, 0.75, 0.75)});
  const QuantityAnalysis& a = s.rows[2][index_of(Quantity::TipTemperature)];
  EXPECT_DOUBLE_EQ(a.apparent_order.value, std::log2(0.5 / 0.75));
  for (const Estimate* e : {&a.estimate_apparent, &a.gci_apparent, &a.gci_apparent_relative,
                            &a.ratio_apparent}) {
    EXPECT_FALSE(e->defined);
    EXPECT_EQ(e->reason, "p_U <= 0 (ordem divergente)");
  }
  EXPECT_TRUE(a.gci_asymptotic.defined);
}

TEST(Analysis, BudgetSplitsTheErrorAndMarksTheMeshesWhereDiscretisationIsNotAlone) {
  // Exact 10, converged 9 (E_discretizacao = 1) on every quantity; the iterate and the double
  // value chosen so that each part is 0, 0.0625 (not marked) or 0.125 (marked).
  struct Row {
    double iterated, value;
    bool round_off, iteration;
  };
  const Row rows[] = {{9, 9 - 0.125, true, false},
                      {9 - 0.0625, 9 - 0.0625, false, false},
                      {9 - 0.125, 9 - 0.125 - 0.0625, false, true}};
  MeshOutcome m = mesh(3, 1, 1, 1);
  m.reference = QuadReference{};
  for (std::size_t i = 0; i < 3; ++i) {
    m.reference->exact[i] = 10;
    m.reference->converged[i] = 9;
    m.reference->iterated[i] = rows[i].iterated;
    m.value[i] = rows[i].value;
  }
  const SchemeStudy s = analyse(fin::TipScheme::Uds2, {m});
  for (std::size_t i = 0; i < 3; ++i) {
    const QuantityAnalysis& a = s.rows[0][i];
    EXPECT_EQ(a.discretisation_error.value, 1);
    EXPECT_EQ(a.iteration_error.value, 9 - rows[i].iterated) << i;
    EXPECT_EQ(a.round_off_error.value, rows[i].iterated - rows[i].value) << i;
    EXPECT_EQ(a.round_off, rows[i].round_off) << i;
    EXPECT_EQ(a.iteration, rows[i].iteration) << i;
  }
  m.reference.reset();
  m.no_reference = "sem refer\u00eancia";
  const QuantityAnalysis none = analyse(fin::TipScheme::Uds2, {m}).rows[0][0];
  EXPECT_FALSE(none.discretisation_error.defined || none.round_off || none.iteration);
  EXPECT_EQ(none.round_off_error.reason, m.no_reference);
  EXPECT_EQ(none.reference_resolution.reason, m.no_reference);
}

TEST(Analysis, BudgetPartsWithinTheResolutionHaveNoValueAndMarkNothing) {
  // Exact 10 and a resolution of 0.2 on two meshes. T(N): E_discretizacao 0.5, E_iteracao 0.125
  // (a quarter of it, but noise: no value, no mark), E_arredondamento 0.25 (measured, marked).
  // qdds1: E_discretizacao 0.1 and the others 0, all noise; its p_E_disc on the finer mesh too.
  MeshOutcome m = mesh(3, 0, 0, 0);
  m.reference = QuadReference{};
  m.reference->exact = {10, 10, 10};
  m.reference->converged = {9.5, 9.9, 9.9};
  m.reference->iterated = {9.5 - 0.125, 9.9, 9.9};
  m.reference->resolution = {0.2, 0.2, 0.2};
  m.value = {9.5 - 0.125 - 0.25, 9.9, 9.9};
  MeshOutcome finer = m;
  finer.N = 5;
  const SchemeStudy s = analyse(fin::TipScheme::Uds2, {m, finer});
  const QuantityAnalysis& tip = s.rows[1][index_of(Quantity::TipTemperature)];
  EXPECT_EQ(tip.reference_resolution.value, 0.2);
  EXPECT_EQ(tip.discretisation_error.value, 0.5);
  EXPECT_EQ(tip.iteration_error.reason, kBelowResolution);
  EXPECT_FALSE(tip.iteration);
  EXPECT_EQ(tip.round_off_error.value, 0.25);
  EXPECT_TRUE(tip.round_off);
  const QuantityAnalysis& rate = s.rows[1][index_of(Quantity::Qdds1)];
  for (const Estimate* part : {&rate.discretisation_error, &rate.iteration_error, &rate.round_off_error}) {
    EXPECT_EQ(part->reason, kBelowResolution);
  }
  EXPECT_EQ(rate.discretisation_order.reason, "E_discretizacao abaixo da resolu\u00e7\u00e3o da refer\u00eancia");
  // A scheme that does not iterate has no iteration error at all, not one too small to see.
  const QuantityAnalysis uds = analyse(fin::TipScheme::Uds, {m}).rows[0][index_of(Quantity::Qdds1)];
  ASSERT_TRUE(uds.iteration_error.defined);
  EXPECT_EQ(uds.iteration_error.value, 0);
}

}  // namespace
}  // namespace malhas
