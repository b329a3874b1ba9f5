// The digits come from the product of the double's 53-bit significand and a power of ten
// truncated to 128 bits. The product falls short of the exact scaled value by less than 2^-64
// of a unit of its last digit, so its whole part is exact unless its fraction lies within
// 2^-55 below the next whole unit, as when the exact value is a whole number of units (an
// expansion that ends by the 18th digit). Those few are converted exactly by the library.
#include "textio/leading_digits.h"

#include <charconv>
#include <cstring>
#include <vector>

namespace textio {
namespace {

__extension__ typedef unsigned __int128 uint128;

// 10^k for k = 18 - N over the decimal exponents N of all doubles (-323 to 309).
constexpr int kLowestPower = 18 - 309;
constexpr int kHighestPower = 18 + 323;
constexpr std::uint64_t kEighteenDigits = 1000000000000000000u;

// 10^k = (significand + a fraction below 1) * 2^binary_exponent, with 2^127 <= significand.
struct PowerOfTen {
  uint128 significand;
  int binary_exponent;
};

// An unsigned integer in 32-bit words, least significant first, for building the table.
using Words = std::vector<std::uint32_t>;

void multiply_by_ten(Words& number) {
  std::uint64_t carry = 0;
  for (auto& word : number) {
    carry += std::uint64_t{word} * 10;
    word = static_cast<std::uint32_t>(carry);
    carry >>= 32;
  }
  if (carry != 0) number.push_back(static_cast<std::uint32_t>(carry));
}

void divide_by_ten(Words& number) {
  std::uint64_t remainder = 0;
  for (auto word = number.rbegin(); word != number.rend(); ++word) {
    std::uint64_t part = remainder << 32 | *word;
    *word = static_cast<std::uint32_t>(part / 10);
    remainder = part % 10;
  }
  while (number.back() == 0) number.pop_back();
}

// The top 128 bits of `number` (truncated) and the power of two they stand for.
PowerOfTen top_bits(const Words& number, int extra_exponent) {
  int bits = static_cast<int>(number.size()) * 32 - __builtin_clz(number.back());
  PowerOfTen power{0, bits - 128 + extra_exponent};
  for (int bit = bits - 1; bit >= bits - 128; --bit) {
    bool set = bit >= 0 && (number[bit / 32] >> (bit % 32) & 1) != 0;
    power.significand = power.significand << 1 | (set ? 1 : 0);
  }
  return power;
}

std::vector<PowerOfTen> build_powers_of_ten() {
  std::vector<PowerOfTen> table(kHighestPower - kLowestPower + 1);
  Words power{1};
  for (int k = 0; k <= kHighestPower; ++k, multiply_by_ten(power)) {
    table[k - kLowestPower] = top_bits(power, 0);
  }
  // 10^-j as floor(2^1152 / 10^j) times 2^-1152: still more than 128 bits at j = 291.
  constexpr int kScale = 1152;
  Words quotient(kScale / 32 + 1, 0);
  quotient.back() = 1;
  for (int k = -1; k >= kLowestPower; --k) {
    divide_by_ten(quotient);
    table[k - kLowestPower] = top_bits(quotient, -kScale);
  }
  return table;
}

// Built once, on first use, and never changed afterwards: any thread may read it.
const PowerOfTen& power_of_ten(int k) {
  static const std::vector<PowerOfTen> table = build_powers_of_ten();
  return table[k - kLowestPower];
}

// floor(log10(2^e)) for |e| up to 2620.
int floor_log10_of_power_of_two(int e) { return (e * 315653) >> 20; }

// The library's conversion at 800 digits is the complete expansion of any double.
std::uint64_t exact_leading_digits(double magnitude, int& exponent) {
  char text[840];
  const char* end =
      std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 800).ptr;
  std::uint64_t digits = static_cast<std::uint64_t>(text[0] - '0');
  for (int i = 2; i <= 18; ++i) digits = digits * 10 + static_cast<std::uint64_t>(text[i] - '0');
  const char* e = text + 800 + 3;  // the exponent's sign, after "d.", the digits and "e"
  int size = 0;
  std::from_chars(e + 1, end, size);  // only the exponent's own digits
  exponent = (*e == '-' ? -size : size) + 1;
  return digits;
}

}  // namespace

std::uint64_t leading_18_digits(double magnitude, int& exponent) {
  std::uint64_t bits;
  std::memcpy(&bits, &magnitude, sizeof bits);
  int biased = static_cast<int>(bits >> 52);
  std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
  int e = biased == 0 ? -1074 : biased - 1075;
  if (biased != 0) m |= std::uint64_t{1} << 52;
  // Subnormals too get a full 53-bit significand: magnitude = m * 2^e, 2^52 <= m < 2^53.
  int normalise = __builtin_clzll(m) - 11;
  m <<= normalise;
  e -= normalise;

  // 10^(n-1) <= magnitude < 2 * 10^n, so the scaled value lies in [10^17, 2 * 10^18).
  int n = floor_log10_of_power_of_two(e + 52) + 1;
  const PowerOfTen& power = power_of_ten(18 - n);
  uint128 low = static_cast<uint128>(m) * static_cast<std::uint64_t>(power.significand);
  uint128 high = static_cast<uint128>(m) * static_cast<std::uint64_t>(power.significand >> 64) +
                 (low >> 64);
  // `high` is the product without its low 64 bits; its last `point` bits (55 to 60 of them)
  // are fraction.
  int point = -(e + power.binary_exponent) - 64;
  std::uint64_t fraction_mask = (std::uint64_t{1} << point) - 1;
  if ((static_cast<std::uint64_t>(high) & fraction_mask) == fraction_mask) {
    return exact_leading_digits(magnitude, exponent);
  }
  auto digits = static_cast<std::uint64_t>(high >> point);
  if (digits >= kEighteenDigits) {
    digits /= 10;
    ++n;
  }
  exponent = n;
  return digits;
}

}  // namespace textio
