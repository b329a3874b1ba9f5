#include "malhas/verification/celik_order.h"

#include <algorithm>
#include <cmath>

namespace malhas {
namespace {

// Doublings of the step that looks for the change of sign: from a step of 1 they pass any order
// a study shows; a root beyond them is no order worth a number.
constexpr int kWidenings = 64;
// Halvings from any bracket of doubles to two adjacent ones (about 2100 from the widest).
constexpr int kHalvings = 4096;

// ln|e^x - 1|, also where e^x overflows.
double log_abs_expm1(double x) {
  return x > 700 ? x + std::log1p(-std::exp(-x)) : std::log(std::fabs(std::expm1(x)));
}

// g(p), with r^p - 1 as expm1(p ln r): no cancellation near p = 0, no overflow for large p.
struct CelikEquation {
  double log_quotient, log_fine, log_coarse;

  double q(double p) const {
    const double fine = p * log_fine, coarse = p * log_coarse;
    if (fine == 0 || coarse == 0) return std::log(log_fine / log_coarse);  // the limit at p = 0
    return log_abs_expm1(fine) - log_abs_expm1(coarse);
  }
  double g(double p) const { return p * log_fine - log_quotient - q(p); }
};

}  // namespace

std::optional<double> celik_order(double log_quotient, double log_fine, double log_coarse) {
  const CelikEquation equation{log_quotient, log_fine, log_coarse};
  // From the one-ratio order, steps towards the root (up where g < 0, since g -> +inf), each
  // twice the last, until g changes sign: the bracket is [near, far].
  double near = log_quotient / log_fine;
  double g_near = equation.g(near);
  if (std::isnan(g_near)) return std::nullopt;
  if (g_near == 0) return near;
  const double direction = g_near < 0 ? 1 : -1;
  double far = near, g_far = g_near;
  double step = std::max(1.0, std::fabs(near));
  for (int widening = 0; (g_far < 0) == (g_near < 0); ++widening, step *= 2) {
    if (widening == kWidenings) return std::nullopt;
    far = near + direction * step;
    g_far = equation.g(far);
    if (std::isnan(g_far)) return std::nullopt;
    if (g_far == 0) return far;
    if ((g_far < 0) == (g_near < 0)) {
      near = far;
      g_near = g_far;
    }
  }
  double low = std::min(near, far), high = std::max(near, far);
  double g_low = low == near ? g_near : g_far, g_high = high == near ? g_near : g_far;
  for (int i = 0; i < kHalvings; ++i) {
    const double middle = low + (high - low) / 2;
    if (middle <= low || middle >= high) break;
    const double g_middle = equation.g(middle);
    if (std::isnan(g_middle)) return std::nullopt;
    if (g_middle == 0) return middle;
    if ((g_middle < 0) == (g_low < 0)) {
      low = middle;
      g_low = g_middle;
    } else {
      high = middle;
      g_high = g_middle;
    }
  }
  return std::fabs(g_low) <= std::fabs(g_high) ? low : high;
}

}  // namespace malhas
