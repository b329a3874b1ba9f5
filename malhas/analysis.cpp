#include "malhas/analysis.h"

#include <cmath>

#include "malhas/mesh_sequence.h"

namespace malhas {

int asymptotic_order(fin::TipScheme scheme, Quantity q) {
  return fin::error_orders(scheme, q).asymptotic;
}

int expansion_order(fin::TipScheme scheme, Quantity q, int term) {
  return fin::error_orders(scheme, q).term(term - 1);
}

namespace {

constexpr std::string_view kTooFewMeshes = "malhas insuficientes";
constexpr std::string_view kCoarserFailed = "malha mais grossa falhou";

QuantityAnalysis analyse_quantity(const std::vector<MeshOutcome>& meshes, std::size_t k,
                                  fin::TipScheme scheme, Quantity q) {
  const std::size_t i = index_of(q);
  const MeshOutcome& fine = meshes[k];
  QuantityAnalysis a;
  a.error = fine.exact[i] - fine.value[i];
  const Estimate none = undefined_because(k == 0 ? kTooFewMeshes : kCoarserFailed);
  if (k == 0 || meshes[k - 1].failed()) {
    a.effective_order = a.apparent_order = a.estimate_asymptotic = a.estimate_apparent = none;
    a.gci_asymptotic = a.gci_apparent = a.gci_apparent_relative = none;
    a.ratio_asymptotic = a.ratio_apparent = none;
    return a;
  }
  const MeshOutcome& coarse = meshes[k - 1];
  const double r = refinement_ratio(coarse.N, fine.N);
  a.effective_order = effective_order(coarse.exact[i] - coarse.value[i], a.error, r);
  Estimate apparent;  // p_U where the estimates may be made from it
  if (k == 1 || meshes[k - 2].failed()) {
    a.apparent_order = apparent = undefined_because(k == 1 ? kTooFewMeshes : kCoarserFailed);
  } else {
    const double coarsest = meshes[k - 2].value[i];
    const double coarse_ratio = refinement_ratio(meshes[k - 2].N, coarse.N);
    a.apparent_order = coarse_ratio == r
                           ? apparent_order(coarsest, coarse.value[i], fine.value[i], r)
                           : apparent_order(coarsest, coarse.value[i], fine.value[i], coarse_ratio, r);
    apparent = order_for_estimates(a.apparent_order, coarsest, coarse.value[i], fine.value[i]);
  }
  const Estimate pL = defined_as(asymptotic_order(scheme, q));
  a.estimate_asymptotic = richardson_estimate(coarse.value[i], fine.value[i], r, pL);
  a.estimate_apparent = richardson_estimate(coarse.value[i], fine.value[i], r, apparent);
  a.gci_asymptotic = convergence_index(a.estimate_asymptotic, kSafetyAsymptotic);
  a.gci_apparent = convergence_index(a.estimate_apparent, kSafetyApparent);
  a.gci_apparent_relative = relative_index(a.gci_apparent, fine.value[i]);
  a.ratio_asymptotic = estimate_to_error(a.estimate_asymptotic, a.error);
  a.ratio_apparent = estimate_to_error(a.estimate_apparent, a.error);
  return a;
}

// Marks the meshes from the one where |p_E - p_L| grows again, after it had been falling, to the
// finest: there p_E no longer tells the order of the method but the rounding of the arithmetic.
void mark_round_off(std::vector<std::array<QuantityAnalysis, 3>>& rows,
                    const std::vector<MeshOutcome>& meshes, fin::TipScheme scheme,
                    Quantity q) {
  const std::size_t i = index_of(q);
  const double pL = asymptotic_order(scheme, q);
  bool approaching = false, turned = false;
  double previous = -1;  // distance on the last mesh with a p_E, none yet
  for (std::size_t k = 0; k < rows.size(); ++k) {
    if (meshes[k].failed()) continue;
    const Estimate& pE = rows[k][i].effective_order;
    if (!pE.defined) {
      rows[k][i].round_off = turned;
      continue;
    }
    const double distance = std::fabs(pE.value - pL);
    if (previous >= 0 && distance < previous) approaching = true;
    if (approaching && previous >= 0 && distance > previous && distance > kAsymptoticBand) {
      turned = true;
    }
    rows[k][i].round_off = turned && distance > kAsymptoticBand;
    previous = distance;
  }
}

}  // namespace

SchemeStudy analyse(fin::TipScheme scheme, std::vector<MeshOutcome> meshes) {
  SchemeStudy study{scheme, std::move(meshes), {}};
  study.rows.resize(study.meshes.size());
  for (std::size_t k = 0; k < study.meshes.size(); ++k) {
    if (study.meshes[k].failed()) continue;
    for (Quantity q : kQuantities) {
      study.rows[k][index_of(q)] = analyse_quantity(study.meshes, k, scheme, q);
    }
  }
  for (Quantity q : kQuantities) mark_round_off(study.rows, study.meshes, scheme, q);
  return study;
}

}  // namespace malhas
