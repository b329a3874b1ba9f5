#pragma once
// The decimal digits of a real as the report prints them: the exact value rounded to 17
// significant digits, then to the digits a field shows, both times with halves away from zero.
namespace textio {

struct DecimalDigits {
  char digits[17];  // ASCII; the first is not '0' unless the value is zero; '0' after `count`
  int count;        // digits in use (0 once a rounding has left nothing)
  int exponent;     // the value is 0.d1d2d3... times 10 to this power
  bool negative;
};

// The 17-digit string of a finite `value`, without trailing zeros. Zero (of either sign) is the
// single digit "0" with exponent 0 and no sign.
DecimalDigits decimal_digits(double value);

// Rounds `s` to `places` significant digits (places >= 0), looking only at its own digits.
// A carry out of the first digit leaves the single digit "1" and raises the exponent; when
// nothing is left the sign becomes positive.
void round_digits(DecimalDigits& s, int places);

}  // namespace textio
