#include "malhas/quad_reference.h"

#include "fin/reference.h"
#include "process/held_fp_traps.h"
#include "malhas/storage_refusal.h"
#include "malhas/verification/reference_resolution.h"

namespace malhas {

void attach_quad_reference(const fin::FinProperties<double>& fin,
                           const fin::IterationInput& iteration, fin::TipScheme scheme,
                           unsigned threads, MeshOutcome& outcome) {
  const process::HeldFpTraps held;  // a fault here leaves the mesh's own values standing
  QuadReference reference;
  if (refused_storage([&] {
        reference = {fin::discrete_reference<fin::Quad>(fin, {scheme, outcome.N}, iteration.T0,
                                                       outcome.iterations, threads),
                     {}};
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
