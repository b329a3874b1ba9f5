#pragma once
// The error budget of a mesh's quantity, measured with its quadruple-precision reference:
// E = exact - value split into the error of the discrete equations, of stopping their iteration,
// and of the double arithmetic, and the marks a mesh gets when either of the last two is not
// small beside the first. A part smaller than the reference's resolution is the reference's own
// round-off: it has no value, and marks nothing.
#include "malhas/verification/mesh_outcome.h"
#include "malhas/verification/orders.h"

namespace malhas {

// A part counts against discretisation from this share of |E_discretizacao| on.
constexpr double kMarkedShare = 0.1;

// Why a part has no value when the reference cannot tell it from zero.
constexpr std::string_view kBelowResolution = "abaixo da resolução da referência";

struct ErrorBudget {
  Estimate discretisation;  // exact - converged discrete value, both in quadruple precision
  Estimate iteration;       // converged - iterated as often as the double run, in quadruple
  Estimate round_off;       // that iterate in quadruple - the double value
  Estimate resolution;      // the reference's, in the quantity's units
  bool round_off_marked = false;
  bool iteration_marked = false;
};

// The budget of quantity q on a completed mesh of `scheme`; every part empty with the reason when
// the mesh has no reference. The parts are differences in quadruple precision rounded to double
// once. The iteration part of a scheme that does not iterate is 0 by construction, whatever the
// resolution.
ErrorBudget error_budget(const MeshOutcome& mesh, Quantity q, fin::TipScheme scheme);

}  // namespace malhas
