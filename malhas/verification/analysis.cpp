#include "malhas/verification/analysis.h"

#include "malhas/verification/error_budget.h"
#include "malhas/verification/mesh_sequence.h"

namespace malhas {

int asymptotic_order(fin::TipScheme scheme, Quantity q) {
  return fin::error_orders(scheme, q).asymptotic;
}

int expansion_order(fin::TipScheme scheme, Quantity q, int term) {
  return fin::error_orders(scheme, q).term(term - 1);
}

namespace {

// p_E of E_discretizacao on two consecutive meshes; empty, with the reason, where a mesh has no
// reference or its E_discretizacao is below the reference's resolution.
Estimate discretisation_order(const Estimate& coarse, const Estimate& fine, double ratio) {
  for (const Estimate* part : {&coarse, &fine}) {
    if (part->defined) continue;
    return part->reason == kBelowResolution
               ? undefined_because("E_discretizacao abaixo da resolução da referência")
               : *part;
  }
  return effective_order(coarse.value, fine.value, ratio);
}

QuantityAnalysis analyse_quantity(const std::vector<MeshOutcome>& meshes, std::size_t k,
                                  fin::TipScheme scheme, Quantity q) {
  const std::size_t i = index_of(q);
  const MeshOutcome& fine = meshes[k];
  QuantityAnalysis a;
  a.error = fine.exact[i] - fine.value[i];
  const ErrorBudget budget = error_budget(fine, q, scheme);
  a.discretisation_error = budget.discretisation;
  a.iteration_error = budget.iteration;
  a.round_off_error = budget.round_off;
  a.reference_resolution = budget.resolution;
  a.round_off = budget.round_off_marked;
  a.iteration = budget.iteration_marked;
  const Estimate none = undefined_because(k == 0 ? kTooFewMeshes : kCoarserFailed);
  if (k == 0 || meshes[k - 1].failed()) {
    a.effective_order = a.discretisation_order = a.apparent_order = a.estimate_asymptotic = a.estimate_apparent = none;
    a.gci_asymptotic = a.gci_apparent = a.gci_apparent_relative = none;
    a.ratio_asymptotic = a.ratio_apparent = none;
    a.convergence = no_convergence_type(none.reason);
    return a;
  }
  const MeshOutcome& coarse = meshes[k - 1];
  const double r = refinement_ratio(coarse.N, fine.N);
  a.effective_order = effective_order(coarse.exact[i] - coarse.value[i], a.error, r);
  a.discretisation_order =
      discretisation_order(error_budget(coarse, q, scheme).discretisation, a.discretisation_error, r);
  Estimate apparent;  // p_U where the estimates may be made from it
  if (k == 1 || meshes[k - 2].failed()) {
    a.apparent_order = apparent = undefined_because(k == 1 ? kTooFewMeshes : kCoarserFailed);
    a.convergence = no_convergence_type(apparent.reason);
  } else {
    const double coarsest = meshes[k - 2].value[i];
    const double coarse_ratio = refinement_ratio(meshes[k - 2].N, coarse.N);
    a.apparent_order = coarse_ratio == r
                           ? apparent_order(coarsest, coarse.value[i], fine.value[i], r)
                           : apparent_order(coarsest, coarse.value[i], fine.value[i], coarse_ratio, r);
    apparent = order_for_estimates(a.apparent_order);
    a.convergence = convergence_type(coarsest, coarse.value[i], fine.value[i]);
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
  return study;
}

}  // namespace malhas
