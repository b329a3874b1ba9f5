#include "textio/number_rendering.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

namespace textio {
namespace {

std::string exponent_field(double value, int width = 25, int decimals = 15, int scale = 1) {
  std::string field;
  render_exponent_field(value, width, decimals, scale, field);
  return field;
}

std::string fixed_field(double value, int width = 15, int decimals = 3, int scale = 0) {
  std::string field;
  render_fixed_field(value, width, decimals, scale, field);
  return field;
}

std::string integer_field(std::int32_t value, int width = 10) {
  std::string field;
  render_integer_field(value, width, field);
  return field;
}

double from_bits(std::uint64_t bits) {
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

struct RealCase {
  double value;
  const char* field;
};

TEST(ExponentField, WorkedExamples) {
  const RealCase cases[] = {
      {1.0, "    1.000000000000000E+00"},
      {-2.5, "   -2.500000000000000E+00"},
      {0.0, "    0.000000000000000E+00"},
      {-0.0, "    0.000000000000000E+00"},
      {1.0E-5, "    1.000000000000000E-05"},
      {123456.789, "    1.234567890000000E+05"},
      {1.0 / 3.0, "    3.333333333333333E-01"},
      {1.0E-99, "    1.000000000000000E-99"},
      {1.0E+100, "    1.000000000000000+100"},
      {-1.0E-100, "   -1.000000000000000-100"},
      {1.7976931348623157E+308, "    1.797693134862316+308"},
      {3.2956212316547955, "    3.295621231654796E+00"},
  };
  for (const auto& c : cases) EXPECT_EQ(exponent_field(c.value), c.field) << c.value;
}

TEST(ExponentField, TwoRoundingsAwayFromZero) {
  // Exactly 1000000000000000.25: ties-to-even at 17 digits would keep ...02, not ...03, but
  // both print the same 16 digits; the one-step rounding of 3.29562123165479547992... would
  // give ...795.
  EXPECT_EQ(exponent_field(1000000000000000.25), "    1.000000000000000E+15");
  EXPECT_EQ(exponent_field(-3.2956212316547955), "   -3.295621231654796E+00");
  EXPECT_EQ(exponent_field(0.0115), "    1.150000000000000E-02");
  EXPECT_EQ(exponent_field(0x1.fffffffffffffp-1), "    9.999999999999999E-01");
}

TEST(ExponentField, ExponentBoundaries) {
  const RealCase cases[] = {
      {9.9999999999999995e-100, "    1.000000000000000E-99"},  // reads as the double 1e-99
      {9.999999999999998e-100, "    9.999999999999998-100"},
      {9.999999999999998e+99, "    9.999999999999998E+99"},
      // 9.99999999999999970e98: the second rounding carries into the next power of ten.
      {0x1.d42aea2879f2ep+328, "    1.000000000000000E+99"},
      {0x1.cab3210f3bb95p-343, "    1.000000000000000-103"},
      {1e-14, "    1.000000000000000E-14"},  // 9.9999999999999999881e-15: the first rounding
      {DBL_MIN, "    2.225073858507201-308"},
      {-DBL_MAX, "   -1.797693134862316+308"},
      {0x0.0000000000001p-1022, "    4.940656458412465-324"},
      {0x0.fffffffffffffp-1022, "    2.225073858507201-308"},
  };
  for (const auto& c : cases) EXPECT_EQ(exponent_field(c.value), c.field) << c.value;
}

TEST(ExponentField, OtherWidthsAndDecimals) {
  EXPECT_EQ(exponent_field(1.0 / 3.0, 12, 4), "  3.3333E-01");
  EXPECT_EQ(exponent_field(1.0 / 3.0, 9, 4), "*********");
  EXPECT_EQ(exponent_field(-1.0 / 3.0, 11, 4), "-3.3333E-01");
  // Digits beyond the 17-digit string print as zeros: 0.1 is 0.1000000000000000055511...,
  // whose 18th digit 5 makes the string 10000000000000001.
  EXPECT_EQ(exponent_field(0.1, 30, 20), "    1.00000000000000010000E-01");
  EXPECT_EQ(exponent_field(1.0 / 3.0, 30, 20), "    3.33333333333333310000E-01");
  EXPECT_EQ(exponent_field(2.5, 8, 0), "  3.E+00");
}

TEST(ExponentField, ScaleFactorMovesThePointAndTheExponent) {
  EXPECT_EQ(exponent_field(1.0, 25, 15, 0), "     .100000000000000E+01");
  EXPECT_EQ(exponent_field(123456.789, 25, 15, 2), "    12.34567890000000E+04");
  EXPECT_EQ(exponent_field(123456.789, 25, 15, -1), "     .012345678900000E+07");
  EXPECT_EQ(exponent_field(0.0, 25, 15, 0), "     .000000000000000E+00");
  // Outside -d < k < d + 2 no digit could be shown.
  EXPECT_EQ(exponent_field(1.0, 25, 15, -15), std::string(25, '*'));
  EXPECT_EQ(exponent_field(1.0, 25, 15, 17), std::string(25, '*'));
}

TEST(FixedField, WorkedExamples) {
  const RealCase cases[] = {
      {0.0, "           .000"},
      {0.5, "           .500"},
      {-0.25, "          -.250"},
      {1.2345, "          1.234"},
      {12345.6789, "      12345.679"},
      {0.0005, "           .001"},
      {0.0115, "           .012"},
      {-0.0004, "           .000"},
      {0.9996, "          1.000"},
      {99999999999.999, "99999999999.999"},
      {1.0E+11, "***************"},
  };
  for (const auto& c : cases) EXPECT_EQ(fixed_field(c.value), c.field) << c.value;
}

TEST(FixedField, CarriesAndSigns) {
  const RealCase cases[] = {
      {0.9995, "          1.000"},            // 0.99950000000000005507: S ends ...006
      {99999999999.9995, "99999999999.999"},  // exactly 99999999999.99949646...: no carry
      {99999999999.9996, "***************"},  // carries to 100000000000.000
      {-9999999999.999, "-9999999999.999"},
      {-9999999999.9996, "***************"},
      {-0.0, "           .000"},
      {-0.0005, "          -.001"},
      {0.0015, "           .002"},            // 0.00150000000000000003
      {1.0005, "          1.000"},            // 1.00049999999999994493
      {5e-5, "           .000"},              // below 10^-4: no digit at all
      {-5e-300, "           .000"},
      {1e300, "***************"},
      {DBL_MAX, "***************"},
      {0x0.0000000000001p-1022, "           .000"},
  };
  for (const auto& c : cases) EXPECT_EQ(fixed_field(c.value), c.field) << c.value;
}

TEST(FixedField, OtherWidthsDecimalsAndScale) {
  EXPECT_EQ(fixed_field(2.25, 6, 1), "   2.3");
  EXPECT_EQ(fixed_field(0.000012345, 8, 5), "  .00001");
  EXPECT_EQ(fixed_field(7.0, 3, 0), " 7.");
  EXPECT_EQ(fixed_field(0.25, 15, 3, 1), "          2.500");
  EXPECT_EQ(fixed_field(12345.6789, 15, 3, -2), "        123.457");
}

TEST(NonFiniteField, TextByBitPatternThenDots) {
  const std::string dots20(20, '.');
  const double infinity = std::numeric_limits<double>::infinity();
  EXPECT_EQ(exponent_field(infinity), "1#INF" + dots20);
  EXPECT_EQ(exponent_field(-infinity), "1#INF" + dots20);
  EXPECT_EQ(exponent_field(from_bits(0xFFF8000000000000u)), "1#IND" + dots20);
  EXPECT_EQ(exponent_field(from_bits(0x7FF8000000000000u)), "1#QNAN" + dots20.substr(1));
  EXPECT_EQ(exponent_field(from_bits(0xFFF8000000000001u)), "1#QNAN" + dots20.substr(1));
  EXPECT_EQ(exponent_field(from_bits(0x7FF0000000000001u)), "1#SNAN" + dots20.substr(1));
  EXPECT_EQ(exponent_field(from_bits(0xFFF7FFFFFFFFFFFFu)), "1#SNAN" + dots20.substr(1));
  EXPECT_EQ(fixed_field(-infinity), "1#INF..........");
  EXPECT_EQ(fixed_field(from_bits(0x7FF4000000000000u)), "1#SNAN.........");
  EXPECT_EQ(fixed_field(infinity, 4, 1), "****");
}

TEST(IntegerField, WorkedExamplesAndLimits) {
  EXPECT_EQ(integer_field(0), "         0");
  EXPECT_EQ(integer_field(12), "        12");
  EXPECT_EQ(integer_field(-7), "        -7");
  EXPECT_EQ(integer_field(2147483647), "2147483647");
  EXPECT_EQ(integer_field(-1000000000), "**********");
  EXPECT_EQ(integer_field(INT_MIN), "**********");
  EXPECT_EQ(integer_field(-999999999), "-999999999");
  EXPECT_EQ(integer_field(1234, 3), "***");
}

}  // namespace
}  // namespace textio
