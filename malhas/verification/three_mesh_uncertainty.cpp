#include "malhas/verification/three_mesh_uncertainty.h"

#include <algorithm>
#include <cmath>

namespace malhas {

Estimate oscillation_uncertainty(const ConvergenceType& type, double coarsest, double middle,
                                 double finest) {
  if (!type.defined) return undefined_because(type.reason);
  if (type.kind != Convergence::Oscillatory) return undefined_because("sem convergência oscilatória");
  const double range = std::max({coarsest, middle, finest}) - std::min({coarsest, middle, finest});
  return finite_or_unfit(kSafetyOscillation * range);
}

namespace {

// Xing & Stern's factor-of-safety coefficients: at P = 0, at P = 1, and the slope past P = 1.
constexpr double kFs0 = 2.45, kFs1 = 1.6, kFs2 = 14.8;

}  // namespace

double xing_stern_factor(double P) {
  return P <= 1 ? kFs1 * P + kFs0 * (1 - P) : kFs1 * P + kFs2 * (P - 1);
}

Estimate factor_of_safety_uncertainty(const Estimate& richardson_estimate,
                                      const Estimate& apparent_order, int asymptotic_order) {
  if (!richardson_estimate.defined) return richardson_estimate;
  const double P = apparent_order.value / asymptotic_order;
  return finite_or_unfit(xing_stern_factor(P) * std::fabs(richardson_estimate.value));
}

}  // namespace malhas
