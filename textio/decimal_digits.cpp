#include "textio/decimal_digits.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "textio/leading_digits.h"

namespace textio {
namespace {

constexpr int kPlaces = 17;
constexpr std::uint64_t kSeventeenDigits = 100000000000000000u;

// Zeros from digit `from` on, and the count of digits in use.
void clear_from(DecimalDigits& s, int from) {
  for (int i = from; i < kPlaces; ++i) s.digits[i] = '0';
  s.count = from;
}

// Adds one to the last of the first `places` digits, carrying through nines; returns false when
// the carry passes the first digit.
bool increment(DecimalDigits& s, int places) {
  int i = places - 1;
  while (i >= 0 && s.digits[i] == '9') --i;
  if (i < 0) return false;
  ++s.digits[i];
  clear_from(s, i + 1);
  return true;
}

void become_one(DecimalDigits& s) {
  clear_from(s, 1);
  s.digits[0] = '1';
  ++s.exponent;
}

}  // namespace

DecimalDigits decimal_digits(double value) {
  DecimalDigits s;
  s.exponent = 0;
  s.negative = false;
  if (value == 0) {
    clear_from(s, 0);
    s.count = 1;
    return s;
  }
  std::uint64_t eighteen = leading_18_digits(std::fabs(value), s.exponent);
  std::uint64_t seventeen = eighteen / 10 + (eighteen % 10 >= 5 ? 1 : 0);
  if (seventeen == kSeventeenDigits) {  // the carry went through seventeen nines
    seventeen /= 10;
    ++s.exponent;
  }
  std::to_chars(s.digits, s.digits + kPlaces, seventeen);
  s.count = kPlaces;
  while (s.count > 1 && s.digits[s.count - 1] == '0') --s.count;
  s.negative = std::signbit(value);
  return s;
}

void round_digits(DecimalDigits& s, int places) {
  if (s.count <= places) return;
  if (s.digits[places] <= '4') {
    clear_from(s, places);
    if (places == 0) s.negative = false;
  } else if (places == 0 || !increment(s, places)) {
    become_one(s);
  }
}

}  // namespace textio
