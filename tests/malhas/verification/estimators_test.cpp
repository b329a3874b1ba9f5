// The uncertainty estimators against the worked example of Celik et al. and against numbers
// worked by hand on short lists of meshes.
#include "malhas/verification/estimators.h"

#include <gtest/gtest.h>

#include <cmath>

#include "malhas/verification/three_mesh_uncertainty.h"
#include "tests/malhas/verification/hand_study.h"
#include "malhas/verification/weighted_least_squares.h"

namespace malhas {
namespace {

// |value - printed| within half a unit of the printed value's last digit.
void expect_printed(double value, double printed, double last_digit) {
  EXPECT_LE(std::fabs(value - printed), last_digit / 2) << value << " printed " << printed;
}

TEST(Estimators, CelikTableOneFirstColumn) {
  // Celik et al. (J. Fluids Eng. 130, 078001, 2008), Table 1, the reattachment length on 18000,
  // 8000 and 4500 cells of a 2-D grid: r = sqrt of the cell counts' ratio. Printed: p = 1.53,
  // phi_ext = 6.1685, e_a = 1.5 %, e_ext = 1.7 %, GCI_fine = 2.2 %.
  const double phi1 = 6.063, phi2 = 5.972, phi3 = 5.863;
  const double r21 = std::sqrt(18000.0 / 8000), r32 = std::sqrt(8000.0 / 4500);
  const Estimate p = apparent_order(phi3, phi2, phi1, r32, r21);
  ASSERT_TRUE(p.defined) << p.reason;
  expect_printed(p.value, 1.53, 0.01);
  const Estimate U = richardson_estimate(phi2, phi1, r21, p);
  const double extrapolated = phi1 + U.value;
  expect_printed(extrapolated, 6.1685, 0.0001);
  expect_printed(100 * std::fabs((phi1 - phi2) / phi1), 1.5, 0.1);
  expect_printed(100 * std::fabs((extrapolated - phi1) / extrapolated), 1.7, 0.1);
  expect_printed(100 * relative_index(convergence_index(U, kSafetyApparent), phi1).value, 2.2, 0.1);
}

TEST(Estimators, XingSternFactorIsLinearInPOnEachSideOfOne) {
  EXPECT_DOUBLE_EQ(xing_stern_factor(1), 1.6);
  EXPECT_DOUBLE_EQ(xing_stern_factor(0.5), 0.8 + 1.225);  // 1.6 P + 2.45 (1 - P)
  EXPECT_DOUBLE_EQ(xing_stern_factor(2), 3.2 + 14.8);     // 1.6 P + 14.8 (P - 1)
  EXPECT_NEAR(xing_stern_factor(1e-9), 2.45, 1e-8);
  // U = FS |delta_RE|: delta_RE = 0.3 with p_U = 1 against p_L = 2, P = 0.5.
  EXPECT_DOUBLE_EQ(factor_of_safety_uncertainty(defined_as(-0.3), defined_as(1), 2).value, 2.025 * 0.3);
  EXPECT_EQ(factor_of_safety_uncertainty(undefined_because("p_U <= 0 (ordem divergente)"),
                                         defined_as(-0.5), 2).reason,
            "p_U <= 0 (ordem divergente)");
}

TEST(Estimators, OscillationIndexIsThreeTimesTheRangeOfAnOscillatingSequence) {
  EXPECT_DOUBLE_EQ(oscillation_uncertainty(convergence_type(9, 10.5, 9.75), 9, 10.5, 9.75).value, 4.5);
  EXPECT_EQ(oscillation_uncertainty(convergence_type(9, 9.75, 9.9375), 9, 9.75, 9.9375).reason,
            "sem convergência oscilatória");
  EXPECT_EQ(oscillation_uncertainty(no_convergence_type("malhas insuficientes"), 0, 0, 0).reason,
            "malhas insuficientes");
}

TEST(Estimators, WeightedLeastSquaresSolvesSmallFits) {
  const std::vector<double> t{1, 2, 4, 8};
  const std::vector<double> ones(4, 1), y{3, 5, 9, 17};  // 1 + 2 t
  const auto c = weighted_least_squares({ones, t}, y, {0.1, 0.2, 0.3, 0.4});
  ASSERT_TRUE(c);
  EXPECT_NEAR((*c)[0], 1, 1e-14);
  EXPECT_NEAR((*c)[1], 2, 1e-14);
  // Off the line, equal weights: 1, 2, 2, 5 on t has the slope Sty / Stt = 15.5 / 28.75 = 62/115
  // through the means 3.75 and 2.5.
  const auto line = weighted_least_squares({ones, t}, {1, 2, 2, 5}, {0.25, 0.25, 0.25, 0.25});
  ASSERT_TRUE(line);
  EXPECT_NEAR((*line)[1], 62.0 / 115, 1e-14);
  EXPECT_NEAR((*line)[0], 2.5 - 3.75 * 62 / 115, 1e-14);
  std::vector<double> twice;
  for (double v : t) twice.push_back(2 * v);
  EXPECT_FALSE(weighted_least_squares({t, twice}, y, {0.25, 0.25, 0.25, 0.25}));
}

TEST(Estimators, LeastSquaresOnExactPowerLawsIsTheGridConvergenceIndex) {
  // Values 10 - t^p / 64 on spacings t = 1, 2, 4, 8 (in any order), p within the band the
  // observed order is trusted over, 0.5 to 2: the observed-order fit is
  // exact, sigma = 0 < Delta, Fs = 1.25, U = 1.25 |alpha| = 1.25 / 64; phi_0 = 10.
  for (double p : {1.0, 1.5}) {
    const std::vector<double> spacings{0.8, 0.4, 0.2, 0.1};
    std::vector<double> values;
    for (double h : spacings) values.push_back(10 - std::pow(h / 0.1, p) / 64);
    const LeastSquaresUncertainty u = least_squares_uncertainty(spacings, values);
    ASSERT_TRUE(u.uncertainty.defined) << u.uncertainty.reason;
    EXPECT_NEAR(u.order.value, p, 1e-9);
    EXPECT_EQ(u.expansion, Expansion::ObservedOrder);
    EXPECT_EQ(u.safety, 1.25);
    EXPECT_NEAR(u.uncertainty.value, 1.25 / 64, 1e-12) << p;
    EXPECT_NEAR(u.exact_estimate.value, 10, 1e-12) << p;
    EXPECT_NEAR(u.data_range, (std::pow(8, p) - 1) / 64 / 3, 1e-15);
  }
  EXPECT_EQ(least_squares_uncertainty({0.3, 0.2, 0.1}, {1, 2, 3}).uncertainty.reason,
            "malhas insuficientes");
  EXPECT_EQ(least_squares_uncertainty({0.4, 0.3, 0.2, 0.1}, {2, 2, 2, 2}).uncertainty.reason,
            "o mesmo valor em todas as malhas");
}

TEST(Estimators, JudgementCountsTheConservativeMeshesAndTakesTheMedianEffectivity) {
  const Judgement j = judgement({{defined_as(1), defined_as(2)},     // 0.5
                                 {defined_as(3), defined_as(2)},     // 1.5
                                 {defined_as(2), defined_as(-1)},    // 2
                                 {defined_as(1), defined_as(0)},     // E = 0: not judged
                                 {undefined_because("x"), defined_as(1)},
                                 {defined_as(4), defined_as(1)}});   // 4
  EXPECT_EQ(j.meshes, 4);
  EXPECT_EQ(j.conservative, 3);
  EXPECT_DOUBLE_EQ(j.median.value, 1.75);
  EXPECT_DOUBLE_EQ(judgement({{defined_as(1), defined_as(1)}}).median.value, 1);
  EXPECT_EQ(judgement({}).median.reason, "nenhuma malha");
}

TEST(Estimators, EveryEstimatorOnHandWorkedMeshes) {
  const std::vector<QuantityEstimators> all = judge_estimators(hand_study(), kDefaultLeastSquaresMeshes);
  ASSERT_EQ(all.size(), 3u);
  const auto at = [&all](Quantity q, std::size_t k, Estimator e) -> const EstimatorResult& {
    return all[index_of(q)].meshes[k][index_of(e)];
  };
  // T(N), mesh 9: GCI(p_L) = 3 (0.1875 / 3) against E = 1/16; GCI(p_U) with p_U = 2 is
  // 1.25 / 16; FS with P = 1 is 1.6 / 16; phi_ext = 9.9375 + 1/16 = 10.
  const Quantity tip = Quantity::TipTemperature;
  EXPECT_DOUBLE_EQ(at(tip, 2, Estimator::GciAsymptotic).uncertainty.value, 0.1875);
  EXPECT_DOUBLE_EQ(at(tip, 2, Estimator::GciAsymptotic).effectivity.value, 3);
  EXPECT_DOUBLE_EQ(at(tip, 2, Estimator::GciAsymptotic).exact_estimate.value, 10);
  EXPECT_DOUBLE_EQ(at(tip, 2, Estimator::GciApparent).uncertainty.value, 1.25 / 16);
  EXPECT_DOUBLE_EQ(at(tip, 2, Estimator::GciApparent).standard.value, 1.25 / 32);
  EXPECT_DOUBLE_EQ(at(tip, 2, Estimator::FactorOfSafety).uncertainty.value, 0.1);
  EXPECT_DOUBLE_EQ(at(tip, 2, Estimator::FactorOfSafety).safety.value, 1.6);
  EXPECT_EQ(at(tip, 2, Estimator::GciOscillation).uncertainty.reason, "sem convergência oscilatória");
  EXPECT_EQ(at(tip, 2, Estimator::LeastSquares).uncertainty.reason, "malhas insuficientes");
  EXPECT_EQ(at(tip, 2, Estimator::GciApparent).discretisation_effectivity.reason, "sem referência");
  // Mesh 17: the least squares over the four meshes, exact at p = 2: U = 1.25 / 64, E = 1/64.
  EXPECT_NEAR(at(tip, 3, Estimator::LeastSquares).uncertainty.value, 1.25 / 64, 1e-12);
  EXPECT_NEAR(at(tip, 3, Estimator::LeastSquares).effectivity.value, 1.25, 1e-10);
  // qdds1 at first order, P = p_U / p_L = 1: FS on mesh 9 is 1.6 (0.25 / 1) against E = 1/4.
  EXPECT_DOUBLE_EQ(at(Quantity::Qdds1, 2, Estimator::FactorOfSafety).effectivity.value, 1.6);
  // qdds2 oscillates: R = -1/2; the index is 3 (10.5 - 9) on mesh 9 and 3 (10.5 - 9.75) on 17,
  // each 18 times |E|; the Richardson estimates refuse the sign change.
  const Quantity q2 = Quantity::Qdds2;
  EXPECT_DOUBLE_EQ(at(q2, 2, Estimator::GciOscillation).uncertainty.value, 4.5);
  EXPECT_DOUBLE_EQ(at(q2, 3, Estimator::GciOscillation).effectivity.value, 18);
  EXPECT_EQ(at(q2, 2, Estimator::GciApparent).uncertainty.reason, "mudança de sinal");
  EXPECT_EQ(at(q2, 2, Estimator::FactorOfSafety).uncertainty.reason, "mudança de sinal");

  // GCI(p_L) of T(N) is 3 |E| on meshes 5, 9 and 17, all with p_E = 2: 3 of 3, median 3, near
  // p_L too; without a reference nothing is judged against E_discretizacao.
  const EstimatorSummary& s = all[index_of(tip)].summaries[index_of(Estimator::GciAsymptotic)];
  for (const Judgement* j : {&s.all, &s.asymptotic}) {
    EXPECT_EQ(j->meshes, 3);
    EXPECT_EQ(j->conservative, 3);
    EXPECT_DOUBLE_EQ(j->median.value, 3);
  }
  EXPECT_EQ(s.discretisation_all.meshes, 0);
  EXPECT_FALSE(s.discretisation_all.median.defined);
}

TEST(Estimators, AFailedMeshLeavesEveryEstimatorThatWouldUseItEmpty) {
  std::vector<SchemeStudy> study = hand_study();
  std::vector<MeshOutcome> meshes = study[0].meshes;
  meshes[1].failure = "estouro (overflow)";
  const std::vector<QuantityEstimators> all = judge_estimators({analyse(fin::TipScheme::Uds2, meshes)}, 4);
  const QuantityEstimators& tip = all[index_of(Quantity::TipTemperature)];
  EXPECT_EQ(tip.meshes[1][index_of(Estimator::GciAsymptotic)].uncertainty.reason, "a malha falhou");
  EXPECT_EQ(tip.meshes[2][index_of(Estimator::GciAsymptotic)].uncertainty.reason, "malha mais grossa falhou");
  EXPECT_EQ(tip.meshes[3][index_of(Estimator::LeastSquares)].uncertainty.reason, "malha mais grossa falhou");
  // Only mesh 17 is judged for GCI(p_L): 3 (0.046875 / 3) against 1/64.
  const Judgement& j = tip.summaries[index_of(Estimator::GciAsymptotic)].all;
  EXPECT_EQ(j.meshes, 1);
  EXPECT_DOUBLE_EQ(j.median.value, 3);
}

TEST(Estimators, LeastSquaresMeshesOption) {
  // With every mesh, the least squares needs four: mesh 17 is the first either way; with five
  // per fit none of the four meshes has enough.
  const std::vector<SchemeStudy> study = hand_study();
  EXPECT_TRUE(judge_estimators(study, kEveryMesh)[0].meshes[3][index_of(Estimator::LeastSquares)].uncertainty.defined);
  EXPECT_EQ(judge_estimators(study, 5)[0].meshes[3][index_of(Estimator::LeastSquares)].uncertainty.reason,
            "malhas insuficientes");
}

}  // namespace
}  // namespace malhas
