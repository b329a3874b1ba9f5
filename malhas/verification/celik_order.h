#pragma once
// The apparent order of three meshes whose refinement ratios differ, as the root of the equation
// of Celik et al. (J. Fluids Eng. 130, 078001, 2008, eqs. 3-5) for differences of one sign
// (s = sign(e32/e21) = 1; the study gives no order where they change sign):
//   g(p) = p ln r21 - ln|e32/e21| - q(p) = 0,   q(p) = ln((r21^p - 1) / (r32^p - 1)),
// found by bracketing and bisection.
//
// A root always exists: g is continuous (at p = 0, q is a quotient of zeros and tends to
// ln(ln r21 / ln r32)); as p -> -inf, r^p -> 0 and q -> 0, so g -> -inf; as p -> +inf,
// q ~ p (ln r21 - ln r32), so g ~ p ln r32 -> +inf. A bracket found from the one-ratio order (the
// root for q = 0), widened by doubling steps, is halved until its ends are adjacent doubles. Each
// halving keeps a change of sign, so the bisection converges to a root whatever the slope of g,
// where a fixed-point iteration on p stalls or swings when the slope is small; and two C
// libraries whose logarithms differ in the last bit give roots a few units apart, not two
// verdicts.
#include <optional>

namespace malhas {

// `log_quotient` = ln|e32/e21|, `log_fine` = ln r21 and `log_coarse` = ln r32 (both > 0). None
// only when g cannot be evaluated (the orders pass the range of doubles).
std::optional<double> celik_order(double log_quotient, double log_fine, double log_coarse);

}  // namespace malhas
