#include "textio/decimal_digits.h"

#include <gtest/gtest.h>

#include <string>

namespace textio {
namespace {

std::string digit_string(const DecimalDigits& s) { return std::string(s.digits, s.count); }

struct DigitsCase {
  double value;
  const char* digits;
  int exponent;
  bool negative;
};

// Expected strings worked out from the exact expansions, e.g. 0.0115 is exactly
// 0.011499999999999999805711..., whose 18 digits 114999999999999998 round to 115.
TEST(DecimalDigits, SeventeenDigitsRoundedHalfUpFromTheTruncatedEighteenth) {
  const DigitsCase cases[] = {
      {3.2956212316547955, "32956212316547955", 1, false},   // ...479547992...
      {1000000000000000.25, "10000000000000003", 16, false}, // an exact tie: away from zero
      {0.0115, "115", -1, false},
      {1.2345, "12344999999999999", 1, false},               // ...99930722...
      {0.9995, "99950000000000006", 0, false},
      {-0.0004, "40000000000000002", -3, true},
      {0.0015, "15", -2, false},                             // 0.00150000000000000003...
      {123456.789, "123456789", 6, false},
      {-0.25, "25", 0, true},
      {0x1.fffffffffffffp-1, "99999999999999989", 0, false}, // the double below 1
      {1.7976931348623157e308, "17976931348623157", 309, false},
      {2.2250738585072014e-308, "22250738585072014", -307, false},
      {0x0.0000000000001p-1022, "49406564584124654", -323, false},  // smallest subnormal
      {0x0.0000000000003p-1022, "14821969375237396", -322, false},  // ...3739632...
  };
  for (const auto& c : cases) {
    DecimalDigits s = decimal_digits(c.value);
    EXPECT_EQ(digit_string(s), c.digits) << c.value;
    EXPECT_EQ(s.exponent, c.exponent) << c.value;
    EXPECT_EQ(s.negative, c.negative) << c.value;
  }
}

TEST(DecimalDigits, ZeroOfEitherSignIsAnUnsignedZeroDigit) {
  for (double zero : {0.0, -0.0}) {
    DecimalDigits s = decimal_digits(zero);
    EXPECT_EQ(digit_string(s), "0");
    EXPECT_EQ(s.exponent, 0);
    EXPECT_FALSE(s.negative);
  }
}

TEST(DecimalDigits, CarryThroughSeventeenNinesGivesOneWithTheNextExponent) {
  // The double 1e-14 is 0.99999999999999999881...e-14: digits 18 onwards carry it to 10^-14.
  DecimalDigits s = decimal_digits(1e-14);
  EXPECT_EQ(digit_string(s), "1");
  EXPECT_EQ(s.exponent, -13);
  // 0x1.04bd984990e6fp-299 is 0.99999999999999999493...e-90: the 18th digit 4 keeps 17 nines.
  s = decimal_digits(0x1.04bd984990e6fp-299);
  EXPECT_EQ(digit_string(s), "99999999999999999");
  EXPECT_EQ(s.exponent, -90);
}

// A digit string as decimal_digits leaves it: zeros after the digits in use.
DecimalDigits digits_of(const char* text, int exponent, bool negative = false) {
  DecimalDigits s{};
  s.count = static_cast<int>(std::char_traits<char>::length(text));
  std::char_traits<char>::copy(s.digits, text, s.count);
  std::char_traits<char>::assign(s.digits + s.count, sizeof s.digits - s.count, '0');
  s.exponent = exponent;
  s.negative = negative;
  return s;
}

TEST(RoundDigits, LooksOnlyAtTheNextDigitOfTheString) {
  DecimalDigits s = digits_of("32956212316547955", 1);
  round_digits(s, 16);
  EXPECT_EQ(digit_string(s), "3295621231654796");

  s = digits_of("12344999999999999", 1);
  round_digits(s, 4);
  EXPECT_EQ(digit_string(s), "1234");

  s = digits_of("115", -1);
  round_digits(s, 2);
  EXPECT_EQ(digit_string(s), "12");
  EXPECT_EQ(s.exponent, -1);
}

TEST(RoundDigits, ShortStringsAreUnchanged) {
  DecimalDigits s = digits_of("25", 0, true);
  round_digits(s, 16);
  EXPECT_EQ(digit_string(s), "25");
  EXPECT_TRUE(s.negative);
}

TEST(RoundDigits, CarryPastTheFirstDigitGivesOne) {
  DecimalDigits s = digits_of("9996", 0);
  round_digits(s, 3);
  EXPECT_EQ(digit_string(s), "1");
  EXPECT_EQ(s.exponent, 1);
}

TEST(RoundDigits, ZeroPlacesRoundTheWholeStringToOneOrNothing) {
  DecimalDigits up = digits_of("5", -3, true);
  round_digits(up, 0);
  EXPECT_EQ(digit_string(up), "1");
  EXPECT_EQ(up.exponent, -2);
  EXPECT_TRUE(up.negative);

  DecimalDigits down = digits_of("4", -3, true);
  round_digits(down, 0);
  EXPECT_EQ(down.count, 0);
  EXPECT_FALSE(down.negative);
}

}  // namespace
}  // namespace textio
