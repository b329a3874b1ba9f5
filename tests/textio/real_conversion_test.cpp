#include "textio/real_conversion.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <fenv.h>
#include <random>
#include <string>

#include "tests/support/child_process.h"

namespace textio {
namespace {

int error_number(const Converted<double>& result) {
  return result.error != nullptr ? result.error->number : 0;
}

// Same double, bit for bit (so -0.0 differs from 0.0).
void expect_value(const std::string& text, double expected) {
  const auto result = convert_real(text);
  ASSERT_EQ(error_number(result), 0) << text;
  EXPECT_EQ(std::signbit(result.value), std::signbit(expected)) << text;
  EXPECT_EQ(result.value, expected) << text;
}

void expect_error(const std::string& text, int error) {
  EXPECT_EQ(error_number(convert_real(text)), error) << text;
}

TEST(RealConversion, AcceptedForms) {
  expect_value("25", 25.0);
  expect_value("25.", 25.0);
  expect_value(".5", 0.5);
  expect_value("-0.5", -0.5);
  expect_value("+.5e1", 5.0);
  expect_value("1.5E+03", 1500.0);
  expect_value("1.5d0", 1.5);
  expect_value("2.5E-2", 0.025);
  expect_value("1.0D-3", 0.001);
  expect_value("1.0e-3", 0.001);
  expect_value("1.0-3", 0.001);
  expect_value("1.5+3", 1500.0);
  expect_value("1e-0", 1.0);
  expect_value("0.1", 0.1);
}

TEST(RealConversion, RejectedForms) {
  for (const char* text : {"1.5;", "1.5!", "1.0Q-3", "Q", "+", "-", ".", "e5", "1e", "1e+",
                           "1+", "1d", "1.2.3", "1e3.2", "1.5E-3-3", "1e--3", "--1", "inf",
                           "nan", "0x10", "1 5"}) {
    expect_error(text, 6103);
  }
}

TEST(RealConversion, ZerosKeepTheirSign) {
  expect_value("0", 0.0);
  expect_value("000.000", 0.0);
  expect_value("-0", -0.0);
  expect_value("-0.0e5", -0.0);
  expect_value("0e99999999999999999999", 0.0);
}

TEST(RealConversion, OverflowAtTheLargestDouble) {
  expect_value("1.7976931348623157e308", DBL_MAX);
  // 2^1024 - 2^970 = 1.79769313486231580793728971405...e308 is the halfway point to infinity.
  expect_value("1.797693134862315807937289e308", DBL_MAX);
  expect_error("1.797693134862315807937290e308", 6102);
  expect_value("-1.797693134862315807937289e308", -DBL_MAX);
  // The 26th digit is cut, which keeps this one below the halfway point.
  expect_value("1.7976931348623158079372898e308", DBL_MAX);
  expect_value("0.0001e312", 1e308);
  expect_error("1e309", 6102);
  expect_error("-1e309", 6102);
  expect_error("1e999999999999999999999", 6102);
}

TEST(RealConversion, UnderflowIsSilent) {
  expect_value("2.2250738585072014e-308", DBL_MIN);
  expect_value("4.9406564584124654e-324", std::numeric_limits<double>::denorm_min());
  expect_value("2.4703282292062328e-324", std::numeric_limits<double>::denorm_min());
  expect_value("2.4703282292062327e-324", 0.0);
  expect_value("1e-400", 0.0);
  expect_value("-1e-400", -0.0);
  expect_value("1e-99999999999999999999", 0.0);
}

TEST(RealConversion, NeverRaisesATrappedFault) {
  // The run traps overflow, invalid operation and division by zero: converting a value at
  // either end of the range must end neither in a fault nor with a wrong result.
  auto result = testing_support::run_in_child([] {
    feenableexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO);
    for (const char* text : {"1.797693134862315807937289e308", "1.797693134862315807937290e308",
                             "-1e309", "1e99999", "4.9e-324", "2.4703282292062327e-324",
                             "-1e-400"}) {
      convert_real(text);
    }
  });
  EXPECT_EQ(result.exit_code, 0);
}

TEST(RealConversion, DigitsAfterTheTwentyFifthAreCut) {
  // 2^53 + 1 lies halfway between two doubles: with its 26th digit cut the tie goes to even,
  // while a 25th digit still counts and rounds up.
  expect_value("9007199254740993.0000000001", 9007199254740992.0);
  expect_value("9007199254740993.000000001", 9007199254740994.0);
  expect_value("0.00009007199254740993000000000001e20", 9007199254740992.0);
  expect_value("1234567890123456789012345678901234567890", 1234567890123456789012345e15);
}

// The value of `text` after its 26th and later significant digits are replaced by zeros, by
// the C library's correctly rounded conversion.
double truncated_by_strtod(std::string mantissa, const std::string& exponent) {
  int significant = 0;
  for (char& c : mantissa) {
    if (c < '0' || c > '9') continue;
    if (c != '0' || significant > 0) ++significant;
    if (significant > 25) c = '0';
  }
  return std::strtod((mantissa + "e" + exponent).c_str(), nullptr);
}

TEST(RealConversion, RandomTextsRoundLikeTheCLibrary) {
  std::mt19937_64 random(20240611);
  auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const std::string letters = "EeDd";
  for (int i = 0; i < 200000; ++i) {
    std::string mantissa = below(3) == 0 ? "-" : below(2) == 0 ? "+" : "";
    const int digits = 1 + below(40);
    const int point = below(digits + 2);  // digits + 1: no point
    for (int d = 0; d < digits; ++d) {
      if (d == point) mantissa += '.';
      mantissa += static_cast<char>('0' + (d == 0 && below(4) == 0 ? 0 : below(10)));
    }
    if (point == digits) mantissa += '.';
    const int exponent = below(700) - 360 - (digits - point);
    const std::string signed_exponent = (exponent < 0 ? "" : "+") + std::to_string(exponent);
    const char letter = letters[static_cast<std::size_t>(below(4))];
    std::string text = mantissa;
    switch (below(3)) {
      case 0: text += signed_exponent; break;  // 1.5-3
      case 1: text += letter + signed_exponent; break;
      default: text += letter + std::to_string(exponent); break;
    }
    const double expected = truncated_by_strtod(mantissa, std::to_string(exponent));
    const auto result = convert_real(text);
    if (std::isinf(expected)) {
      ASSERT_EQ(error_number(result), 6102) << text;
    } else {
      ASSERT_EQ(error_number(result), 0) << text;
      ASSERT_EQ(result.value, expected) << text;
      ASSERT_EQ(std::signbit(result.value), std::signbit(expected)) << text;
    }
  }
}

}  // namespace
}  // namespace textio
