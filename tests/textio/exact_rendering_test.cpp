// The E25.15 and F15.3 fields of millions of doubles against the reference fields derived from
// the complete decimal expansion (big-integer arithmetic), by the two-step rounding: the
// truncated 18 digits rounded to 17, then to the digits the field shows, halves away from zero.
// The default suite checks one value in a hundred of each sweep; the whole sweeps, half a
// minute, are the test binary built with ALETA_FULL_RENDERING_SWEEP (CTest label "sweep").
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>

#include "tests/support/exact_decimal.h"
#include "tests/support/reference_fields.h"
#include "textio/number_rendering.h"

namespace textio {
namespace {

using testing_support::exact_decimal;
using testing_support::ExactDecimal;
using testing_support::expected_exponent_field;
using testing_support::expected_fixed_field;
using testing_support::seventeen_digits;

#ifdef ALETA_FULL_RENDERING_SWEEP
constexpr int kSampleDivisor = 1;
#else
constexpr int kSampleDivisor = 100;
#endif

// Checks `count` values `next` yields (a hundredth of them in the default suite); reports the
// first few differences. Both fields are rendered back to back before the reference runs, as
// the writer renders one field after another.
void check_fields(int count, const std::function<double()>& next) {
  std::string exponent_field, fixed_field;
  int failures = 0;
  for (int i = 0; i < count / kSampleDivisor; ++i) {
    double value = next();
    if (!std::isfinite(value)) continue;
    render_exponent_field(value, 25, 15, 1, exponent_field);
    render_fixed_field(value, 15, 3, 0, fixed_field);
    ExactDecimal s = seventeen_digits(value);
    const std::string expected_exponent = expected_exponent_field(value, s);
    const std::string expected_fixed = expected_fixed_field(value, s);
    if ((exponent_field != expected_exponent || fixed_field != expected_fixed) && ++failures <= 10) {
      ADD_FAILURE() << std::hexfloat << value << std::defaultfloat << " (" << value << "): got \""
                    << exponent_field << "\" and \"" << fixed_field << "\", expected \""
                    << expected_exponent << "\" and \"" << expected_fixed << "\"";
    }
  }
  EXPECT_EQ(failures, 0);
}

double from_bits(std::uint64_t bits) {
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// A double read from "<digits>e<exponent>", stepped `step` doubles up or down.
double near_decimal(const std::string& digits, int exponent, int step) {
  double value = std::strtod((digits + "e" + std::to_string(exponent)).c_str(), nullptr);
  for (; step > 0; --step) value = std::nextafter(value, HUGE_VAL);
  for (; step < 0; ++step) value = std::nextafter(value, -HUGE_VAL);
  return value;
}

std::string random_digits(std::mt19937_64& random, int count) {
  std::string digits(1, static_cast<char>('1' + random() % 9));
  while (static_cast<int>(digits.size()) < count) digits += static_cast<char>('0' + random() % 10);
  return digits;
}

TEST(ExactRendering, RandomBitPatternsOverAllExponents) {
  std::mt19937_64 random(1);
  check_fields(1000000, [&] { return from_bits(random()); });
}

TEST(ExactRendering, RandomSubnormals) {
  std::mt19937_64 random(2);
  check_fields(200000, [&] {
    std::uint64_t sign = random() & 0x8000000000000000u;
    return from_bits(sign | (random() & 0x000FFFFFFFFFFFFFu) >> (random() % 52));
  });
}

TEST(ExactRendering, ShortDecimalsNearTheFieldsDigits) {
  // k / 10^j and k * 10^j: values whose 17- or 4-decimal rounding sits near its half.
  std::mt19937_64 random(3);
  check_fields(600000, [&] {
    double k = static_cast<double>(random() % 100000000);
    double power = std::pow(10.0, static_cast<double>(random() % 16));
    double value = random() % 4 == 0 ? k * power : k / power;
    return random() % 2 ? -value : value;
  });
}

TEST(ExactRendering, DyadicValuesWithExactTies) {
  // m / 2^q has exactly q decimals: ties at the 18th digit that only the exact digits settle.
  std::mt19937_64 random(4);
  check_fields(600000, [&] {
    std::uint64_t m = random() >> (11 + random() % 40);
    return std::ldexp(static_cast<double>(m), -static_cast<int>(random() % 40));
  });
}

TEST(ExactRendering, NeighboursOfSeventeenAndSixteenDigitHalves) {
  // The doubles at and next to "d1...d16 5" (the second rounding) and "d1...d17 5" (the first).
  std::mt19937_64 random(5);
  check_fields(900000, [&] {
    std::string digits = random_digits(random, random() % 2 ? 16 : 17) + "5";
    int exponent = static_cast<int>(random() % 600) - 300;
    return near_decimal(digits, exponent, static_cast<int>(random() % 5) - 2);
  });
}

TEST(ExactRendering, NeighboursOfThirdDecimalHalves) {
  // n.ddd5 for the fixed field, and its neighbouring doubles, up to the width limit.
  std::mt19937_64 random(6);
  check_fields(600000, [&] {
    std::string digits = random_digits(random, 1 + random() % 14) + "5";
    double value = near_decimal(digits, -4, static_cast<int>(random() % 5) - 2);
    return random() % 2 ? -value : value;
  });
}

TEST(ExactDecimalReference, KnownExpansions) {
  // The reference itself, on values whose expansions are known by hand.
  EXPECT_EQ(exact_decimal(0.5).digits, "5");
  EXPECT_EQ(exact_decimal(0.5).exponent, 0);
  EXPECT_EQ(exact_decimal(1.0 / 1024).digits, "9765625");
  EXPECT_EQ(exact_decimal(1.0 / 1024).exponent, -3);
  EXPECT_EQ(exact_decimal(-1536.0).digits, "1536");
  EXPECT_EQ(exact_decimal(-1536.0).exponent, 4);
  EXPECT_TRUE(exact_decimal(-1536.0).negative);
  EXPECT_EQ(exact_decimal(0x1p+64).digits, "18446744073709551616");
  EXPECT_EQ(exact_decimal(0.1).digits, "1000000000000000055511151231257827021181583404541015625");
  EXPECT_EQ(exact_decimal(0.1).exponent, 0);
  ExactDecimal smallest = exact_decimal(0x0.0000000000001p-1022);
  EXPECT_EQ(smallest.digits.size(), 751u);  // 2^-1074 = 5^1074 / 10^1074
  EXPECT_EQ(smallest.digits.substr(0, 17), "49406564584124654");
  EXPECT_EQ(smallest.exponent, -323);
}

}  // namespace
}  // namespace textio
