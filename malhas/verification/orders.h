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
// The value when the arithmetic could hold it; "fora do alcance numérico" when it is not finite.
Estimate finite_or_unfit(double value);

// Why an estimate of a mesh is empty: the meshes before it are too few, or one of them failed.
constexpr std::string_view kTooFewMeshes = "malhas insuficientes";
constexpr std::string_view kCoarserFailed = "malha mais grossa falhou";

// The effective order p_E = log(E_coarse / E_fine) / log(r) from the true errors of two
// consecutive meshes refined by `ratio`.
Estimate effective_order(double coarse_error, double fine_error, double ratio);

// The apparent order p_U = log((middle - coarsest) / (finest - middle)) / log(r) from the values
// on three consecutive meshes, coarsest first, refined by `ratio` each time.
Estimate apparent_order(double coarsest, double middle, double finest, double ratio);

// The apparent order from three meshes whose ratios differ, coarsest first: `coarse_ratio` refines
// the coarsest into the middle mesh, `fine_ratio` the middle into the finest. By the procedure of
// Celik et al. (J. Fluids Eng. 130, 078001, 2008, eqs. 3-5), solved by bisection (celik_order.h):
//   p = (ln|e32/e21| + q(p)) / ln r21,  q(p) = ln((r21^p - s) / (r32^p - s)),  s = sign(e32/e21),
// with e32 = middle - coarsest and e21 = finest - middle. Differences of both signs (s = -1)
// give no order, as with one ratio, so s is 1 wherever an order is formed. The paper takes the
// absolute value of the numerator, which would turn differences that grow with refinement into a
// positive order; keeping its sign shows them as p <= 0, as the one-ratio formula does (it is
// this one with q = 0), and changes nothing where the order is positive.
Estimate apparent_order(double coarsest, double middle, double finest, double coarse_ratio,
                        double fine_ratio);

// The apparent order when the estimates may be made from it: not when it is zero or negative
// (the differences do not shrink). Differences that change sign have no apparent order at all.
Estimate order_for_estimates(const Estimate& apparent);

// The Richardson estimate of the fine mesh's error, (fine - coarse) / (r^p - 1).
Estimate richardson_estimate(double coarse, double fine, double ratio, const Estimate& order);

// The grid convergence index: the estimate's size times the safety factor, in the quantity's
// own units.
Estimate convergence_index(const Estimate& estimate, double safety_factor);

// The index relative to the fine mesh's value, GCI / |value|.
Estimate relative_index(const Estimate& index, double value);

// How the estimate compares with the true error: >= 1 when it is reliable, near 1 when close.
Estimate estimate_to_error(const Estimate& estimate, double error);

}  // namespace malhas
