#include "malhas/quad_reference.h"

#include <algorithm>

#include "fin/processamento.h"
#include "fin/uds2_superposition.h"
#include "process/held_fp_traps.h"
#include "malhas/storage_refusal.h"
#include "malhas/verification/reference_resolution.h"

namespace malhas {
namespace {

std::array<fin::Quad, 3> values_of(const fin::Case<fin::Quad>& c) {
  return {c.solution.T[c.mesh.N], c.rates.qdds1, c.rates.qdds2};
}

// The converged solution, the one after the double run's solves (the same for a scheme that does
// not iterate) and the exact values; each case released once its values are taken. Of the exact
// profile only the tip's is kept: the cases compute the base's and the tip's alone.
QuadReference compute_reference(const fin::FinProperties<double>& fin,
                                const fin::IterationInput& iteration, fin::TipScheme scheme,
                                const MeshOutcome& outcome) {
  QuadReference reference;
  const std::int64_t ends_only = std::max<std::int64_t>(1, outcome.N - 1);
  if (!fin::iterates(scheme)) {
    const fin::Case<fin::Quad> c =
        fin::compute_case<fin::Quad>(fin, {scheme, outcome.N}, iteration, ends_only);
    reference.converged = reference.iterated = values_of(c);
    reference.exact = {c.exact.Ta[c.mesh.N], c.exact.qa, c.exact.qa};
    return reference;
  }
  {
    const fin::Case<fin::Quad> c = fin::compute_converged_case<fin::Quad>(fin, outcome.N, ends_only);
    reference.converged = values_of(c);
    reference.exact = {c.exact.Ta[c.mesh.N], c.exact.qa, c.exact.qa};
  }
  reference.iterated = values_of(fin::compute_case_after_by_superposition<fin::Quad>(
      fin, outcome.N, iteration.T0, outcome.iterations, ends_only));
  return reference;
}

}  // namespace

void attach_quad_reference(const fin::FinProperties<double>& fin,
                           const fin::IterationInput& iteration, fin::TipScheme scheme,
                           MeshOutcome& outcome) {
  const process::HeldFpTraps held;  // a fault here leaves the mesh's own values standing
  QuadReference reference;
  if (refused_storage([&] {
        reference = compute_reference(fin, iteration, scheme, outcome);
        // Its resolution under the same held traps: a fault there is the reference's too.
        reference.resolution =
            reference_resolution(fin, outcome.N, static_cast<double>(reference.exact[1]));
      })) {
    outcome.no_reference = kReferenceNoStorage;
    outcome.lacked_storage = true;
  } else if (held.invalid() || held.divided_by_zero() || held.overflowed()) {
    outcome.no_reference = kReferenceFailed;
  } else {
    outcome.reference = reference;
  }
}

}  // namespace malhas
