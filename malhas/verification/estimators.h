#pragma once
// Every uncertainty estimator of the study on every mesh where it applies, each judged against
// the true error of the same mesh: what a user without the exact solution would have been told,
// beside how far off the value really was.
#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "malhas/verification/analysis.h"
#include "malhas/verification/least_squares_uncertainty.h"

namespace malhas {

enum class Estimator {
  GciAsymptotic,   // Roache's index with p_L, Fs = 3, two meshes
  GciApparent,     // Celik et al.'s index with p_U, Fs = 1.25, three meshes
  GciOscillation,  // the index of an oscillating sequence, Fs = 3, three meshes
  FactorOfSafety,  // Xing & Stern, three meshes
  LeastSquares,    // Eca & Hoekstra, four or more meshes
};
constexpr std::array<Estimator, 5> kEstimators{Estimator::GciAsymptotic, Estimator::GciApparent,
                                               Estimator::GciOscillation, Estimator::FactorOfSafety,
                                               Estimator::LeastSquares};
inline std::size_t index_of(Estimator e) { return static_cast<std::size_t>(e); }

// Every estimator states U as an interval of about 95 % coverage; u_num = U / k with the factor
// k = 2 of a 95 % interval of a normal distribution.
constexpr double kCoverageFactor = 2;

// A p_E within this share of p_L counts as near the asymptotic order.
constexpr double kNearAsymptoticShare = 0.1;
// A defined order within kNearAsymptoticShare of the asymptotic order.
bool near_asymptotic(const Estimate& order, int asymptotic);
// An uncertainty that holds the error it is judged against: U >= |E|.
inline bool conservative(double uncertainty, double error) { return uncertainty >= std::fabs(error); }

// The meshes the least-squares procedure takes on each mesh: that one and those before it, this
// many in all, or every mesh up to it with kEveryMesh.
constexpr std::int32_t kEveryMesh = 0;
constexpr std::int32_t kDefaultLeastSquaresMeshes = 4;

struct EstimatorResult {
  Estimate uncertainty;     // U
  Estimate standard;        // u_num = U / kCoverageFactor
  Estimate exact_estimate;  // the estimate of the exact value, where the method gives one
  Estimate order;           // the order it used
  Estimate safety;          // the factor that multiplies its error estimate
  Estimate effectivity;                 // U / |E|
  Estimate discretisation_effectivity;  // U / |E_discretizacao|
};

// How one estimator fared over a set of meshes: on how many it could be judged (U given and a
// true error not 0), on how many it held (U >= |E|), and the median of U / |E|.
struct Judgement {
  int meshes = 0;
  int conservative = 0;
  Estimate median;
};

struct EstimatorSummary {
  // Against E over every mesh, and over those whose p_E is within 10 % of p_L (not named
  // `near`: the Windows headers define that word away).
  Judgement all, asymptotic;
  // The same against E_discretizacao, the meshes near p_L being judged by p_E_disc.
  Judgement discretisation_all, discretisation_asymptotic;
};

struct QuantityEstimators {
  fin::TipScheme scheme{};
  Quantity quantity = Quantity::TipTemperature;
  std::vector<std::array<EstimatorResult, kEstimators.size()>> meshes;  // as the study's meshes
  // The least-squares procedure's details on each mesh: its chosen fit, the fit's standard
  // deviation and the data range it is judged against.
  std::vector<LeastSquaresUncertainty> least_squares;
  std::array<EstimatorSummary, kEstimators.size()> summaries;
};

// One per scheme and quantity, in the order of the tables.
std::vector<QuantityEstimators> judge_estimators(const std::vector<SchemeStudy>& studies,
                                                 std::int32_t least_squares_meshes);

// The judgement of an estimator over a list of (U, E) pairs, on those where both are given and E
// is not 0.
Judgement judgement(const std::vector<std::pair<Estimate, Estimate>>& uncertainties_and_errors);

}  // namespace malhas
