#pragma once
// How a quantity behaves on three consecutive meshes, from the ratio of its two differences
//   R = (phi_k - phi_{k-1}) / (phi_{k-1} - phi_{k-2}),
// the convergence ratio of Celik et al. (J. Fluids Eng. 130, 078001, 2008): the sign of R tells
// a monotonic sequence from an oscillating one, its size one that settles from one that does not.
#include <string_view>

namespace malhas {

enum class Convergence {
  Monotonic,              // 0 < R < 1
  Oscillatory,            // -1 < R < 0
  MonotonicDivergence,    // R >= 1, or the coarser difference 0 and the finer not
  OscillatoryDivergence,  // R <= -1
  NoChange,               // the finer difference is 0: the two finest meshes agree
};

struct ConvergenceType {
  bool defined = false;
  Convergence kind = Convergence::NoChange;
  double ratio = 0;         // R, when both differences are not 0
  std::string_view reason;  // why there is no type, when !defined
};

ConvergenceType convergence_type(double coarsest, double middle, double finest);

// No type, for the reason given (too few meshes, a failed one).
ConvergenceType no_convergence_type(std::string_view reason);

}  // namespace malhas
