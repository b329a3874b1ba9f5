#include "fin/aleta_longa.h"

#include <cmath>

namespace fin {
namespace {

// b = (mk - σh)/(mk + σh), halved first so that the sum cannot overflow.
double reflection(double mk, double h, double sigma) {
  return (0.5 * mk - sigma * (0.5 * h)) / (0.5 * mk + sigma * (0.5 * h));
}

// e^(p - q) for p, q of a few hundred: p - q is split exactly into a rounded part and its error
// (Knuth's two-sum), so that the rounding of the difference does not reach the exponential.
double exp_of_difference(double p, double q) {
  const double d = p - q;
  const double p_part = d + q;
  const double error = (p - p_part) + (-q - (d - p_part));
  return std::exp(d) * (1.0 + error);
}

}  // namespace

double long_fin_temperature_ratio(double z, double mL, double mk, double h) {
  const double sigma = mL < 0 ? -1.0 : 1.0;
  const double span = std::fabs(mL);
  const double b = reflection(mk, h, sigma);
  const double near = exp_of_difference(sigma * z, span);
  return near * (1.0 + b * std::exp(-2.0 * sigma * z)) / (1.0 + b * std::exp(-2.0 * span));
}

double long_fin_heat_ratio(double mL, double mk, double h) {
  const double sigma = mL < 0 ? -1.0 : 1.0;
  const double far = reflection(mk, h, sigma) * std::exp(-2.0 * std::fabs(mL));
  return sigma * (1.0 - far) / (1.0 + far);
}

}  // namespace fin
