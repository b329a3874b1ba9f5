#include "malhas/verification/estimators.h"

#include <algorithm>
#include <cmath>

#include "malhas/verification/three_mesh_uncertainty.h"

namespace malhas {
namespace {

constexpr std::string_view kFailed = "a malha falhou";

// U / |E|, or why it cannot be formed.
Estimate effectivity(const Estimate& uncertainty, const Estimate& error) {
  if (!uncertainty.defined) return uncertainty;
  if (!error.defined) return error;
  return estimate_to_error(uncertainty, std::fabs(error.value));
}

// The value plus an estimate of its error: the estimate of the exact value.
Estimate corrected(double value, const Estimate& error_estimate) {
  if (!error_estimate.defined) return error_estimate;
  return finite_or_unfit(value + error_estimate.value);
}

struct Made {
  Estimate uncertainty, exact_estimate, order, safety;
};

// A result with every cell empty, for the reason `why` carries.
EstimatorResult empty_result(const Estimate& why) {
  EstimatorResult r;
  r.uncertainty = r.standard = r.exact_estimate = r.order = r.safety = r.effectivity =
      r.discretisation_effectivity = why;
  return r;
}

// The result of an estimator that made `made`; where it gives no U, every cell is empty for
// the same reason.
EstimatorResult result(const Made& made, const QuantityAnalysis& a) {
  const Estimate& U = made.uncertainty;
  if (!U.defined) return empty_result(U);
  EstimatorResult r;
  r.uncertainty = U;
  r.standard = defined_as(U.value / kCoverageFactor);
  r.exact_estimate = made.exact_estimate;
  r.order = made.order;
  r.safety = made.safety;
  r.effectivity = effectivity(U, defined_as(a.error));
  r.discretisation_effectivity = effectivity(U, a.discretisation_error);
  return r;
}

// The least-squares procedure on mesh k over the meshes the option names, ending at k.
LeastSquaresUncertainty least_squares_on(const SchemeStudy& s, std::size_t k, std::size_t i,
                                         std::int32_t count) {
  const std::size_t wanted = count == kEveryMesh ? k + 1 : static_cast<std::size_t>(count);
  LeastSquaresUncertainty none;
  if (k + 1 < wanted || wanted < static_cast<std::size_t>(kLeastSquaresFewestMeshes)) {
    none.uncertainty = undefined_because(kTooFewMeshes);
    return none;
  }
  std::vector<double> spacings, values;
  for (std::size_t j = k + 1 - wanted; j <= k; ++j) {
    if (s.meshes[j].failed()) {
      none.uncertainty = undefined_because(kCoarserFailed);
      return none;
    }
    spacings.push_back(s.meshes[j].dx);
    values.push_back(s.meshes[j].value[i]);
  }
  return least_squares_uncertainty(spacings, values);
}

std::array<EstimatorResult, kEstimators.size()> mesh_results(const SchemeStudy& s, std::size_t k,
                                                             Quantity q,
                                                             const LeastSquaresUncertainty& ls) {
  std::array<EstimatorResult, kEstimators.size()> results;
  const std::size_t i = index_of(q);
  const QuantityAnalysis& a = s.rows[k][i];
  const double phi = s.meshes[k].value[i];
  const int p_L = asymptotic_order(s.scheme, q);
  // Roache's index of two meshes (J. Fluids Eng. 116, 405-413, 1994) with the scheme's order:
  // U = 3 |phi_k - phi_{k-1}| / (r^p_L - 1), from the Richardson estimate of analyse().
  results[index_of(Estimator::GciAsymptotic)] =
      result({a.gci_asymptotic, corrected(phi, a.estimate_asymptotic), defined_as(p_L),
              defined_as(kSafetyAsymptotic)},
             a);
  // Celik et al. (J. Fluids Eng. 130, 078001, 2008): p_U by eqs. 3-5, the extrapolated value
  // phi_ext = (r^p phi_1 - phi_2) / (r^p - 1) = phi_1 + (phi_1 - phi_2) / (r^p - 1) (eq. 6), and
  // GCI_fine = 1.25 e_a / (r^p - 1) (eq. 9), here times |phi_1|: in the quantity's units.
  results[index_of(Estimator::GciApparent)] =
      result({a.gci_apparent, corrected(phi, a.estimate_apparent), a.apparent_order,
              defined_as(kSafetyApparent)},
             a);
  const Estimate oscillation =
      a.convergence.defined
          ? oscillation_uncertainty(a.convergence, s.meshes[k - 2].value[i], s.meshes[k - 1].value[i], phi)
          : undefined_because(a.convergence.reason);
  results[index_of(Estimator::GciOscillation)] =
      result({oscillation, undefined_because("sem estimativa do valor exato"),
              undefined_because("sem ordem"), defined_as(kSafetyOscillation)},
             a);
  const Estimate fs = factor_of_safety_uncertainty(a.estimate_apparent, a.apparent_order, p_L);
  results[index_of(Estimator::FactorOfSafety)] =
      result({fs, corrected(phi, a.estimate_apparent), a.apparent_order,
              fs.defined ? defined_as(xing_stern_factor(a.apparent_order.value / p_L)) : fs},
             a);
  results[index_of(Estimator::LeastSquares)] =
      result({ls.uncertainty, ls.exact_estimate, ls.order, defined_as(ls.safety)}, a);
  return results;
}

EstimatorSummary summary(const SchemeStudy& s, const QuantityEstimators& q, Estimator e) {
  const std::size_t i = index_of(q.quantity);
  const int p_L = asymptotic_order(s.scheme, q.quantity);
  std::vector<std::pair<Estimate, Estimate>> all, near, disc_all, disc_near;
  for (std::size_t k = 0; k < s.meshes.size(); ++k) {
    if (s.meshes[k].failed()) continue;
    const QuantityAnalysis& a = s.rows[k][i];
    const Estimate& U = q.meshes[k][index_of(e)].uncertainty;
    all.emplace_back(U, defined_as(a.error));
    disc_all.emplace_back(U, a.discretisation_error);
    if (near_asymptotic(a.effective_order, p_L)) near.push_back(all.back());
    if (near_asymptotic(a.discretisation_order, p_L)) disc_near.push_back(disc_all.back());
  }
  return {judgement(all), judgement(near), judgement(disc_all), judgement(disc_near)};
}

}  // namespace

bool near_asymptotic(const Estimate& order, int asymptotic) {
  return order.defined && std::fabs(order.value - asymptotic) <= kNearAsymptoticShare * asymptotic;
}

Judgement judgement(const std::vector<std::pair<Estimate, Estimate>>& uncertainties_and_errors) {
  Judgement j;
  std::vector<double> effectivities;
  for (const auto& [U, E] : uncertainties_and_errors) {
    if (!U.defined || !E.defined || E.value == 0) continue;
    ++j.meshes;
    if (conservative(U.value, E.value)) ++j.conservative;
    effectivities.push_back(U.value / std::fabs(E.value));
  }
  if (effectivities.empty()) {
    j.median = undefined_because("nenhuma malha");
    return j;
  }
  std::sort(effectivities.begin(), effectivities.end());
  const std::size_t half = effectivities.size() / 2;
  j.median = defined_as(effectivities.size() % 2 == 1
                            ? effectivities[half]
                            : (effectivities[half - 1] + effectivities[half]) / 2);
  return j;
}

std::vector<QuantityEstimators> judge_estimators(const std::vector<SchemeStudy>& studies,
                                                 std::int32_t least_squares_meshes) {
  std::vector<QuantityEstimators> all;
  for (const SchemeStudy& s : studies) {
    for (Quantity q : kQuantities) {
      QuantityEstimators e;
      e.scheme = s.scheme;
      e.quantity = q;
      for (std::size_t k = 0; k < s.meshes.size(); ++k) {
        e.least_squares.push_back(least_squares_on(s, k, index_of(q), least_squares_meshes));
        if (s.meshes[k].failed()) {
          const EstimatorResult failed = empty_result(undefined_because(kFailed));
          e.meshes.push_back({failed, failed, failed, failed, failed});
          continue;
        }
        e.meshes.push_back(mesh_results(s, k, q, e.least_squares.back()));
      }
      for (Estimator estimator : kEstimators) {
        e.summaries[index_of(estimator)] = summary(s, e, estimator);
      }
      all.push_back(std::move(e));
    }
  }
  return all;
}

}  // namespace malhas
