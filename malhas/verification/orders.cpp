#include "malhas/verification/orders.h"

#include "malhas/verification/celik_order.h"

#include <cmath>

namespace malhas {

Estimate defined_as(double value) { return {true, value, {}}; }

Estimate undefined_because(std::string_view reason) { return {false, 0, reason}; }

// A value that the arithmetic could not hold (a quotient past the largest double) is no result.
Estimate finite_or_unfit(double value) {
  return std::isfinite(value) ? defined_as(value) : undefined_because("fora do alcance numérico");
}

namespace {

// log(coarse / fine) / log(r): the order at which a quantity shrinks by r^p per refinement.
Estimate observed_order(double coarse, double fine, double ratio, std::string_view zero_reason) {
  if (coarse == 0 || fine == 0) return undefined_because(zero_reason);
  const double quotient = coarse / fine;
  if (quotient < 0) return undefined_because("mudança de sinal");
  if (quotient == 0) return undefined_because("fora do alcance numérico");  // log(0) is no order
  return finite_or_unfit(std::log(quotient) / std::log(ratio));
}

}  // namespace

Estimate effective_order(double coarse_error, double fine_error, double ratio) {
  return observed_order(coarse_error, fine_error, ratio, "erro nulo");
}

Estimate apparent_order(double coarsest, double middle, double finest, double ratio) {
  return observed_order(middle - coarsest, finest - middle, ratio, "diferença nula");
}

Estimate apparent_order(double coarsest, double middle, double finest, double coarse_ratio,
                        double fine_ratio) {
  const double e32 = middle - coarsest, e21 = finest - middle;
  if (e32 == 0 || e21 == 0) return undefined_because("diferença nula");
  // Differences of both signs do not shrink towards a limit: no order, as with one ratio.
  if ((e32 < 0) != (e21 < 0)) return undefined_because("mudança de sinal");
  const double quotient = std::fabs(e32 / e21);
  if (quotient == 0 || !std::isfinite(quotient)) return undefined_because("fora do alcance numérico");
  const std::optional<double> p =
      celik_order(std::log(quotient), std::log(fine_ratio), std::log(coarse_ratio));
  return p ? finite_or_unfit(*p) : undefined_because("fora do alcance numérico");
}

Estimate order_for_estimates(const Estimate& apparent) {
  if (!apparent.defined) return apparent;
  if (apparent.value <= 0) return undefined_because("p_U <= 0 (ordem divergente)");
  return apparent;
}

Estimate richardson_estimate(double coarse, double fine, double ratio, const Estimate& order) {
  if (!order.defined) return order;
  const double growth = std::pow(ratio, order.value) - 1;
  if (growth == 0) return undefined_because("ordem nula");
  return finite_or_unfit((fine - coarse) / growth);
}

Estimate convergence_index(const Estimate& estimate, double safety_factor) {
  if (!estimate.defined) return estimate;
  return finite_or_unfit(safety_factor * std::fabs(estimate.value));
}

Estimate relative_index(const Estimate& index, double value) {
  if (!index.defined) return index;
  if (value == 0) return undefined_because("valor nulo");
  return finite_or_unfit(index.value / std::fabs(value));
}

Estimate estimate_to_error(const Estimate& estimate, double error) {
  if (!estimate.defined) return estimate;
  if (error == 0) return undefined_because("erro nulo");
  return finite_or_unfit(estimate.value / error);
}

}  // namespace malhas
