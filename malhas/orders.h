#pragma once
// Orders of accuracy and error estimates from the values of a quantity on successively refined
// meshes. A result that cannot be formed (a zero difference, a change of sign, too few meshes)
// carries the reason, in Portuguese, instead of a value.
#include <string_view>

namespace malhas {

struct Estimate {
  bool defined = false;
  double value = 0;
  std::string_view reason;  // why there is no value, when !defined
};

Estimate defined_as(double value);
Estimate undefined_because(std::string_view reason);

// The effective order p_E = log(E_coarse / E_fine) / log(r) from the true errors of two
// consecutive meshes refined by `ratio`.
Estimate effective_order(double coarse_error, double fine_error, double ratio);

// The apparent order p_U = log((middle - coarsest) / (finest - middle)) / log(r) from the values
// on three consecutive meshes, coarsest first, refined by `ratio` each time.
Estimate apparent_order(double coarsest, double middle, double finest, double ratio);

// The Richardson estimate of the fine mesh's error, (fine - coarse) / (r^p - 1).
Estimate richardson_estimate(double coarse, double fine, double ratio, const Estimate& order);

// The grid convergence index: the estimate's size times the safety factor, in the quantity's
// own units.
Estimate convergence_index(const Estimate& estimate, double safety_factor);

// How the estimate compares with the true error: >= 1 when it is reliable, near 1 when close.
Estimate estimate_to_error(const Estimate& estimate, double error);

}  // namespace malhas
