// The order and estimate formulas against values worked by hand.
#include "malhas/verification/orders.h"

#include <gtest/gtest.h>

#include <cmath>

namespace malhas {
namespace {

void expect_value(const Estimate& e, double want) {
  ASSERT_TRUE(e.defined) << e.reason;
  EXPECT_DOUBLE_EQ(e.value, want);
}

void expect_reason(const Estimate& e, std::string_view reason) {
  EXPECT_FALSE(e.defined);
  EXPECT_EQ(e.reason, reason);
}

TEST(Orders, EffectiveOrderFromTwoErrors) {
  expect_value(effective_order(0.4, 0.1, 2), 2);      // errors 4 times smaller at r = 2
  expect_value(effective_order(-0.3, -0.1, 3), 1);    // 3 times smaller at r = 3, same sign
  expect_reason(effective_order(0, 0.1, 2), "erro nulo");
  expect_reason(effective_order(0.1, -0.05, 2), "mudança de sinal");
}

TEST(Orders, ApparentOrderFromThreeValues) {
  // Differences 0.5 then 0.125: four times smaller at r = 2.
  expect_value(apparent_order(1.0, 1.5, 1.625, 2), 2);
  expect_reason(apparent_order(1.0, 1.0, 1.5, 2), "diferença nula");
  expect_reason(apparent_order(1.0, 2.0, 1.5, 2), "mudança de sinal");
}

TEST(Orders, CelikOrderOfAPowerLawOnUnequalRatios) {
  // Values -h^p on spacings 1, 1/r32, 1/(r32 r21): the equation p ln r21 = ln|e32/e21| + q(p)
  // holds at the p of the data exactly, for any p (hand: p = 2, r32 = 2, r21 = 3 gives
  // e32 = 3/16, e21 = 1/18, ln(27/8) + ln(8/3) = ln 9 = 2 ln 3). A negative p keeps its sign.
  const struct {
    double p, r32, r21;
  } cases[] = {{2, 2, 3}, {1, 3, 2}, {1.5, 2, 3}, {2, 4, 2}, {-1, 2, 3}, {2, 8, 2}};
  for (const auto& c : cases) {
    const double h[] = {1, 1 / c.r32, 1 / (c.r32 * c.r21)};
    const Estimate p = apparent_order(-std::pow(h[0], c.p), -std::pow(h[1], c.p),
                                      -std::pow(h[2], c.p), c.r32, c.r21);
    ASSERT_TRUE(p.defined) << c.p << " " << p.reason;
    EXPECT_NEAR(p.value, c.p, 1e-12) << c.r32 << " " << c.r21;
  }
  // Differences of both signs give no order whatever the ratios, as with one ratio: up 1, then
  // down 0.5 (Celik's q with s = -1 would have made an order of them).
  expect_reason(apparent_order(1.0, 2.0, 1.5, 2, 3), "mudança de sinal");
  expect_reason(apparent_order(2.0, 1.0, 1.5, 3, 2), "mudança de sinal");
}

TEST(Orders, NoEstimatesFromADivergentOrder) {
  expect_value(order_for_estimates(defined_as(1.5)), 1.5);
  expect_reason(order_for_estimates(defined_as(-0.535)), "p_U <= 0 (ordem divergente)");
  expect_reason(order_for_estimates(defined_as(0)), "p_U <= 0 (ordem divergente)");
  expect_reason(order_for_estimates(undefined_because("diferença nula")), "diferença nula");
  expect_value(relative_index(defined_as(0.5), -4), 0.125);
  expect_reason(relative_index(defined_as(0.5), 0), "valor nulo");
}

TEST(Orders, RichardsonEstimateIndexAndRatio) {
  // (1.625 - 1.5) / (2^2 - 1) and / (2^1 - 1).
  const Estimate second = richardson_estimate(1.5, 1.625, 2, defined_as(2));
  expect_value(second, 0.125 / 3);
  const Estimate first = richardson_estimate(1.5, 1.625, 2, defined_as(1));
  expect_value(first, 0.125);
  expect_value(convergence_index(first, 3), 0.375);
  expect_value(convergence_index(richardson_estimate(1.625, 1.5, 2, defined_as(1)), 1.25), 0.15625);
  expect_value(estimate_to_error(first, 0.25), 0.5);
  expect_reason(estimate_to_error(first, 0), "erro nulo");
  expect_reason(richardson_estimate(1.5, 1.625, 2, defined_as(0)), "ordem nula");
  // An order without a value leaves everything made from it empty, for the same reason.
  const Estimate none = undefined_because("diferença nula");
  expect_reason(convergence_index(richardson_estimate(1, 2, 2, none), 1.25), "diferença nula");
}

}  // namespace
}  // namespace malhas
