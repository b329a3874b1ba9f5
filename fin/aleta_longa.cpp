#include "fin/aleta_longa.h"

#include "fin/real.h"

namespace fin {
namespace {

// b = (mk - σh)/(mk + σh), halved first so that the sum cannot overflow.
template <typename Real>
Real reflection(Real mk, Real h, Real sigma) {
  return (0.5 * mk - sigma * (0.5 * h)) / (0.5 * mk + sigma * (0.5 * h));
}

// e^(p - q) for p, q of a few hundred: p - q is split exactly into a rounded part and its error
// (Knuth's two-sum), so that the rounding of the difference does not reach the exponential.
template <typename Real>
Real exp_of_difference(Real p, Real q) {
  const Real d = p - q;
  const Real p_part = d + q;
  const Real error = (p - p_part) + (-q - (d - p_part));
  return RealTraits<Real>::exp(d) * (1.0 + error);
}

}  // namespace

template <typename Real>
Real long_fin_temperature_ratio(Real z, Real mL, Real mk, Real h) {
  using R = RealTraits<Real>;
  const Real sigma = mL < 0 ? -1.0 : 1.0;
  const Real span = R::fabs(mL);
  const Real b = reflection(mk, h, sigma);
  const Real near = exp_of_difference(sigma * z, span);
  return near * (1.0 + b * R::exp(-2.0 * sigma * z)) / (1.0 + b * R::exp(-2.0 * span));
}

template <typename Real>
Real long_fin_heat_ratio(Real mL, Real mk, Real h) {
  const Real sigma = mL < 0 ? -1.0 : 1.0;
  using R = RealTraits<Real>;
  const Real far = reflection(mk, h, sigma) * R::exp(-2.0 * R::fabs(mL));
  return sigma * (1.0 - far) / (1.0 + far);
}

template decltype(long_fin_temperature_ratio<double>) long_fin_temperature_ratio<double>;
template decltype(long_fin_temperature_ratio<Quad>) long_fin_temperature_ratio<Quad>;
template decltype(long_fin_heat_ratio<double>) long_fin_heat_ratio<double>;
template decltype(long_fin_heat_ratio<Quad>) long_fin_heat_ratio<Quad>;

}  // namespace fin
