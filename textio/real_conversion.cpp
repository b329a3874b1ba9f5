#include "textio/real_conversion.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace textio {
namespace {

constexpr int kSignificantDigits = 25;
// Exponents are accumulated up to here only: far beyond any double, yet safe to add to.
constexpr long kExponentCap = 1000000;

// A valid real text taken apart: its value is 0.digits times ten to the exponent.
struct Decimal {
  bool negative = false;
  char digits[kSignificantDigits] = {};
  int count = 0;
  long exponent = 0;
};

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_exponent_letter(char c) { return c == 'E' || c == 'e' || c == 'D' || c == 'd'; }
bool is_sign(char c) { return c == '+' || c == '-'; }

// Reads the digits and the point of the mantissa from text[i]; false when it has no digit.
bool read_mantissa(std::string_view text, std::size_t& i, Decimal& decimal) {
  bool seen_point = false;
  bool seen_digit = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.' && !seen_point) {
      seen_point = true;
      continue;
    }
    if (!is_digit(c)) break;
    seen_digit = true;
    if (c == '0' && decimal.count == 0) {  // a leading zero only places the point
      if (seen_point) --decimal.exponent;
      continue;
    }
    if (decimal.count < kSignificantDigits) decimal.digits[decimal.count++] = c;
    if (!seen_point) ++decimal.exponent;
  }
  return seen_digit;
}

// Reads the exponent from text[i] to the end of the text; false when it is malformed.
bool read_exponent(std::string_view text, std::size_t i, Decimal& decimal) {
  if (is_exponent_letter(text[i])) {
    ++i;
  } else if (!is_sign(text[i])) {
    return false;
  }
  bool negative = false;
  if (i < text.size() && is_sign(text[i])) negative = text[i++] == '-';
  if (i == text.size()) return false;
  long exponent = 0;
  for (; i < text.size(); ++i) {
    if (!is_digit(text[i])) return false;
    exponent = std::min(exponent * 10 + (text[i] - '0'), kExponentCap);
  }
  decimal.exponent += negative ? -exponent : exponent;
  return true;
}

// Halfway between the largest double and 2^1024 lies 2^1024 - 2^970 = 0.1797...e309, whose
// digits go on, nonzero, after these 25. A value of at most 25 digits therefore rounds to
// infinity exactly when it lies above them.
constexpr char kOverflowDigits[] = "1797693134862315807937289";
constexpr long kOverflowExponent = 309;

bool too_large(const Decimal& decimal) {
  if (decimal.exponent != kOverflowExponent) return decimal.exponent > kOverflowExponent;
  for (int i = 0; i < kSignificantDigits; ++i) {
    const char digit = i < decimal.count ? decimal.digits[i] : '0';
    if (digit != kOverflowDigits[i]) return digit > kOverflowDigits[i];
  }
  return false;
}

}  // namespace

Converted<double> convert_real(std::string_view text) {
  Decimal decimal;
  std::size_t i = 0;
  if (i < text.size() && is_sign(text[i])) decimal.negative = text[i++] == '-';
  if (!read_mantissa(text, i, decimal)) return {0.0, &process::kInvalidReal};
  if (i < text.size() && !read_exponent(text, i, decimal)) return {0.0, &process::kInvalidReal};

  if (decimal.count == 0) return {decimal.negative ? -0.0 : 0.0, nullptr};
  // Overflow is judged here, not left to the conversion, which would raise the overflow fault
  // that ends the run.
  if (too_large(decimal)) return {0.0, &process::kRealOutOfRange};
  // The digits as a whole number with its exponent: no decimal point, so the locale cannot
  // change the meaning. strtod rounds correctly to the nearest double, subnormals included.
  char normalised[64];
  std::snprintf(normalised, sizeof normalised, "%s%.*se%ld", decimal.negative ? "-" : "",
                decimal.count, decimal.digits, decimal.exponent - decimal.count);
  return {std::strtod(normalised, nullptr), nullptr};
}

}  // namespace textio
