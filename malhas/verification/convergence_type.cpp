#include "malhas/verification/convergence_type.h"

namespace malhas {

ConvergenceType convergence_type(double coarsest, double middle, double finest) {
  const double coarse_difference = middle - coarsest, fine_difference = finest - middle;
  ConvergenceType type{true, Convergence::NoChange, 0, {}};
  if (fine_difference == 0) return type;
  // A change after none is the start of a divergence whatever its sign: |R| is infinite.
  if (coarse_difference == 0) {
    type.kind = Convergence::MonotonicDivergence;
    return type;
  }
  type.ratio = fine_difference / coarse_difference;
  if (type.ratio >= 1) {
    type.kind = Convergence::MonotonicDivergence;
  } else if (type.ratio > 0) {
    type.kind = Convergence::Monotonic;
  } else if (type.ratio > -1) {
    type.kind = Convergence::Oscillatory;
  } else {
    type.kind = Convergence::OscillatoryDivergence;
  }
  return type;
}

ConvergenceType no_convergence_type(std::string_view reason) {
  return {false, Convergence::NoChange, 0, reason};
}

}  // namespace malhas
