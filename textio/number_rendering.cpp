#include "textio/number_rendering.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "textio/decimal_digits.h"

namespace textio {
namespace {

// Sizes the field for a text of `length` characters and returns where the text goes, or
// nullptr after filling the field with asterisks when the text does not fit.
char* text_position(std::string& field, int width, long length) {
  if (length > width) {
    render_overflow_field(width, field);
    return nullptr;
  }
  field.resize(width);
  std::memset(field.data(), ' ', width - length);
  return field.data() + (width - length);
}

void render_text(std::string_view text, int width, std::string& field) {
  if (char* out = text_position(field, width, static_cast<long>(text.size()))) {
    std::memcpy(out, text.data(), text.size());
  }
}

// Infinities and NaNs are told apart by their bit pattern and fill the field with dots.
void render_non_finite(double value, int width, std::string& field) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  constexpr std::uint64_t kFraction = (std::uint64_t{1} << 52) - 1;
  constexpr std::uint64_t kQuietBit = std::uint64_t{1} << 51;
  std::string_view text = (bits & kFraction) == 0        ? "1#INF"
                          : bits == 0xFFF8000000000000u  ? "1#IND"
                          : (bits & kQuietBit) != 0      ? "1#QNAN"
                                                         : "1#SNAN";
  if (static_cast<int>(text.size()) > width) return render_overflow_field(width, field);
  field.assign(width, '.');
  std::memcpy(field.data(), text.data(), text.size());
}

char* put_zeros(char* out, int count) {
  std::memset(out, '0', count);
  return out + count;
}

// Digits `first` to `first + count - 1` (from 0) of the string, zeros outside it.
char* put_digits(char* out, const DecimalDigits& s, int first, int count) {
  constexpr int kStored = sizeof s.digits;  // zeros after the digits in use
  for (int i = first; i < first + count; ++i) *out++ = i >= 0 && i < kStored ? s.digits[i] : '0';
  return out;
}

// "E+dd" for |exponent| <= 99, "+ddd" for |exponent| <= 999.
void put_exponent(char* out, int exponent) {
  int size = exponent < 0 ? -exponent : exponent;
  if (size <= 99) *out++ = 'E';
  *out++ = exponent < 0 ? '-' : '+';
  if (size > 99) *out++ = static_cast<char>('0' + size / 100);
  *out++ = static_cast<char>('0' + size / 10 % 10);
  *out = static_cast<char>('0' + size % 10);
}

}  // namespace

void render_overflow_field(int width, std::string& field) { field.assign(width, '*'); }

void render_exponent_field(double value, int width, int decimals, int scale, std::string& field) {
  if (!std::isfinite(value)) return render_non_finite(value, width, field);
  // A scale factor k puts k digits before the point (k > 0) or -k zeros after it (k <= 0);
  // outside -d < k < d + 2 no significant digit would remain to be shown.
  if (scale <= -decimals || scale >= decimals + 2) return render_overflow_field(width, field);
  DecimalDigits s = decimal_digits(value);
  round_digits(s, scale > 0 ? decimals + 1 : decimals + scale);
  int exponent = value == 0 ? 0 : s.exponent - scale;
  if (exponent < -999 || exponent > 999) return render_overflow_field(width, field);

  long length = (s.negative ? 1 : 0) + decimals + (scale > 0 ? 2 : 1) + 4;
  char* out = text_position(field, width, length);
  if (out == nullptr) return;
  if (s.negative) *out++ = '-';
  if (scale > 0) {
    out = put_digits(out, s, 0, scale);
    *out++ = '.';
    out = put_digits(out, s, scale, decimals - scale + 1);
  } else {
    *out++ = '.';
    out = put_zeros(out, -scale);
    out = put_digits(out, s, 0, decimals + scale);
  }
  put_exponent(out, exponent);
}

void render_fixed_field(double value, int width, int decimals, int scale, std::string& field) {
  if (!std::isfinite(value)) return render_non_finite(value, width, field);
  DecimalDigits s = decimal_digits(value);
  // The scale factor multiplies by a power of ten: only the decimal point moves.
  int point = s.exponent + scale;
  if (value == 0 || point < -decimals) {
    // Below half of the last decimal place: no digit and no sign.
    s = decimal_digits(0.0);
    point = 0;
  } else {
    round_digits(s, point + decimals);
    point = s.exponent + scale;
  }
  int whole = point > 0 ? point : 0;
  long length = (s.negative ? 1 : 0) + static_cast<long>(whole) + 1 + decimals;
  char* out = text_position(field, width, length);
  if (out == nullptr) return;
  if (s.negative) *out++ = '-';
  out = put_digits(out, s, 0, whole);
  *out++ = '.';
  put_digits(out, s, point, decimals);
}

void render_integer_field(std::int32_t value, int width, std::string& field) {
  char text[12];
  char* end = std::to_chars(text, text + sizeof text, value).ptr;
  render_text(std::string_view(text, end - text), width, field);
}

}  // namespace textio
