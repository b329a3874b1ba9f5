#include "tests/support/reference_fields.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace testing_support {
namespace {

// `places` significant digits of `d`, the dropped part rounded half away from zero.
ExactDecimal rounded(ExactDecimal d, int places) {
  if (static_cast<int>(d.digits.size()) <= places) return d;
  bool up = d.digits[places] >= '5';
  d.digits.resize(places);
  if (!up) return d;
  int i = places - 1;
  while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
  if (i >= 0) {
    ++d.digits[i];
  } else {
    d.digits = "1";
    ++d.exponent;
  }
  return d;
}

char digit(const ExactDecimal& d, int i) {
  return i >= 0 && i < static_cast<int>(d.digits.size()) ? d.digits[i] : '0';
}

std::string right_justified(const std::string& text, std::size_t width) {
  if (text.size() > width) return std::string(width, '*');
  return std::string(width - text.size(), ' ') + text;
}

}  // namespace

ExactDecimal seventeen_digits(double value) {
  ExactDecimal d = exact_decimal(value);
  d.digits = (d.digits + std::string(18, '0')).substr(0, 18);
  d = rounded(d, 17);
  d.digits.erase(d.digits.find_last_not_of('0') + 1);
  return d;
}

std::string expected_exponent_field(double value, const ExactDecimal& s) {
  if (value == 0) return right_justified("0.000000000000000E+00", 25);
  ExactDecimal d = rounded(s, 16);
  std::string text = d.negative ? "-" : "";
  text += digit(d, 0);
  text += '.';
  for (int i = 1; i < 16; ++i) text += digit(d, i);
  int x = d.exponent - 1;
  char exponent[8];
  std::snprintf(exponent, sizeof exponent, std::abs(x) <= 99 ? "E%c%02d" : "%c%03d",
                x < 0 ? '-' : '+', std::abs(x));
  return right_justified(text + exponent, 25);
}

std::string expected_fixed_field(double value, const ExactDecimal& s) {
  if (value == 0 || s.exponent < -3) return right_justified(".000", 15);
  ExactDecimal d = rounded(s, s.exponent + 3);
  bool shows_a_digit = d.digits.find_first_not_of('0') != std::string::npos;
  std::string text = d.negative && shows_a_digit ? "-" : "";
  for (int i = 0; i < d.exponent; ++i) text += digit(d, i);
  text += '.';
  for (int i = 0; i < 3; ++i) text += digit(d, d.exponent + i);
  return right_justified(text, 15);
}

std::string expected_nonfinite_field(double value, int width) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  const std::uint64_t quiet_bit = std::uint64_t{1} << 51;
  std::string text = "1#SNAN";
  if (std::isinf(value)) {
    text = "1#INF";
  } else if (bits == 0xFFF8000000000000u) {
    text = "1#IND";
  } else if (bits & quiet_bit) {
    text = "1#QNAN";
  }
  return text + std::string(static_cast<std::size_t>(width) - text.size(), '.');
}

}  // namespace testing_support
