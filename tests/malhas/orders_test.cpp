// The order and estimate formulas against values worked by hand.
#include "malhas/orders.h"

#include <gtest/gtest.h>

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
