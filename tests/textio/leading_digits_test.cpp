#include "textio/leading_digits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tests/support/exact_decimal.h"

namespace textio {
namespace {

// The first 18 digits of the exact expansion, padded with zeros, and its exponent.
void expect_leading_digits_of_expansion(double value) {
  testing_support::ExactDecimal exact = testing_support::exact_decimal(value);
  std::string expected = (exact.digits + std::string(18, '0')).substr(0, 18);
  int exponent = 0;
  std::uint64_t digits = leading_18_digits(value, exponent);
  EXPECT_EQ(std::to_string(digits), expected) << std::hexfloat << value;
  EXPECT_EQ(exponent, exact.exponent) << std::hexfloat << value;
}

TEST(LeadingDigits, ExactValuesThatEndAtTheEighteenthDigitOrSooner) {
  // Products that land exactly on a whole number must not come out one unit short.
  for (double value : {1.0, 0.5, 1e18, 1e20, 1e22, 123456789012345678e4, 0x1p+70, 0.0115,
                       1000000000000000.25, 4.5, 9007199254740993e3}) {
    expect_leading_digits_of_expansion(value);
  }
  int exponent = 0;
  EXPECT_EQ(leading_18_digits(1e20, exponent), 100000000000000000u);
  EXPECT_EQ(exponent, 21);
}

// Fills the stack below the caller with digits, where the next call's conversion buffer lies.
__attribute__((noinline)) void leave_digits_on_the_stack() {
  volatile char junk[8192];
  for (auto& c : junk) c = '7';
}

TEST(LeadingDigits, ExactValuesReadOnlyTheirOwnExponent) {
  // The exponent of the exact conversion ends where the conversion ends, whatever follows it.
  const struct {
    double value;
    std::uint64_t digits;
    int exponent;
  } cases[] = {{5353887050457169920.0, 535388705045716992u, 19},
               {1e20, 100000000000000000u, 21},
               {4.5, 450000000000000000u, 1}};
  for (const auto& c : cases) {
    leave_digits_on_the_stack();
    int exponent = 0;
    EXPECT_EQ(leading_18_digits(c.value, exponent), c.digits);
    EXPECT_EQ(exponent, c.exponent) << c.value;
  }
}

TEST(LeadingDigits, EveryBinaryExponentAtBothEndsOfItsRange) {
  // The decimal exponent is estimated from the binary one; the ends of each binade are where
  // an estimate one too small or too large would show.
  for (int e = -1074; e <= 1023; ++e) {
    double lowest = std::ldexp(1.0, e);
    expect_leading_digits_of_expansion(lowest);
    double highest = std::nextafter(std::ldexp(1.0, e + 1), 0.0);
    if (std::isfinite(highest)) expect_leading_digits_of_expansion(highest);
  }
  expect_leading_digits_of_expansion(1.7976931348623157e308);
}

TEST(LeadingDigits, PowersOfTenAndTheirNeighbours) {
  for (int k = -323; k <= 308; ++k) {
    double power = std::strtod(("1e" + std::to_string(k)).c_str(), nullptr);
    if (power == 0) continue;
    expect_leading_digits_of_expansion(power);
    expect_leading_digits_of_expansion(std::nextafter(power, 0.0));
    expect_leading_digits_of_expansion(std::nextafter(power, HUGE_VAL));
  }
}

}  // namespace
}  // namespace textio
