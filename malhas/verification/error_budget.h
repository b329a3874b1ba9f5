#pragma once
// The error budget of a mesh's quantity, measured with its quadruple-precision reference:
// E = exact - value split into the error of the discrete equations, of stopping their iteration,
// and of the double arithmetic, and the marks a mesh gets when either of the last two is not
// small beside the first.
#include "malhas/verification/mesh_outcome.h"
#include "malhas/verification/orders.h"

namespace malhas {

// A part counts against discretisation from this share of |E_discretizacao| on.
constexpr double kMarkedShare = 0.1;

struct ErrorBudget {
  Estimate discretisation;  // exact - converged discrete value, both in quadruple precision
  Estimate iteration;       // converged - iterated as often as the double run, in quadruple
  Estimate round_off;       // that iterate in quadruple - the double value
  bool round_off_marked = false;
  bool iteration_marked = false;
};

// The budget of quantity q on a completed mesh; every part empty with the reason when the mesh
// has no reference. The parts are differences in quadruple precision rounded to double once.
ErrorBudget error_budget(const MeshOutcome& mesh, Quantity q);

}  // namespace malhas
