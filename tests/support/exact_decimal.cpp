#include "tests/support/exact_decimal.h"

#include <cstdint>
#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

namespace testing_support {
namespace {

constexpr std::uint32_t kLimbBase = 1000000000;  // nine decimal digits per limb

// A non-negative integer in base 10^9, least significant limb first.
using BigInteger = std::vector<std::uint32_t>;

// `number` times `factor` (below 2^32: each step stays below 2^64).
BigInteger multiplied(const BigInteger& number, std::uint32_t factor) {
  BigInteger product;
  product.reserve(number.size() + 2);
  std::uint64_t carry = 0;
  for (std::uint32_t limb : number) {
    carry += std::uint64_t{limb} * factor;
    product.push_back(static_cast<std::uint32_t>(carry % kLimbBase));
    carry /= kLimbBase;
  }
  for (; carry != 0; carry /= kLimbBase) product.push_back(static_cast<std::uint32_t>(carry % kLimbBase));
  return product;
}

void add_to(BigInteger& sum, const BigInteger& term) {
  sum.resize(std::max(sum.size(), term.size()) + 1, 0);
  std::uint32_t carry = 0;
  for (std::size_t i = 0; i < sum.size(); ++i) {
    std::uint32_t digit = sum[i] + (i < term.size() ? term[i] : 0) + carry;
    carry = digit >= kLimbBase;
    sum[i] = carry ? digit - kLimbBase : digit;
  }
  while (sum.size() > 1 && sum.back() == 0) sum.pop_back();
}

// `number` times a 53-bit mantissa, in two halves of 27 and 26 bits.
BigInteger multiplied_by_mantissa(const BigInteger& number, std::uint64_t mantissa) {
  constexpr int kLowBits = 26;
  BigInteger product = multiplied(multiplied(number, static_cast<std::uint32_t>(mantissa >> kLowBits)),
                                  std::uint32_t{1} << kLowBits);
  add_to(product, multiplied(number, static_cast<std::uint32_t>(mantissa & ((1u << kLowBits) - 1))));
  return product;
}

// base^exponent, kept once computed: the tests ask for the same powers millions of times.
const BigInteger& power(std::uint32_t base, int exponent) {
  static std::map<std::uint32_t, std::vector<BigInteger>> tables;
  std::vector<BigInteger>& table = tables[base];
  if (table.empty()) table.push_back(BigInteger{1});
  while (static_cast<int>(table.size()) <= exponent) table.push_back(multiplied(table.back(), base));
  return table[exponent];
}

std::string decimal(const BigInteger& number) {
  std::string text = std::to_string(number.back());
  char limb_digits[9];
  for (auto limb = number.rbegin() + 1; limb != number.rend(); ++limb) {
    std::uint32_t value = *limb;
    for (int i = 8; i >= 0; --i, value /= 10) limb_digits[i] = static_cast<char>('0' + value % 10);
    text.append(limb_digits, 9);
  }
  return text;
}

}  // namespace

ExactDecimal exact_decimal(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  ExactDecimal result;
  int biased = static_cast<int>(bits >> 52 & 0x7FF);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  if (biased != 0) mantissa |= std::uint64_t{1} << 52;
  int power_of_two = (biased == 0 ? 1 : biased) - 1075;
  if (mantissa == 0) {
    result.digits = "0";
    return result;
  }
  result.negative = (bits >> 63) != 0;

  int power_of_ten = power_of_two >= 0 ? 0 : power_of_two;
  const BigInteger& scale = power_of_two >= 0 ? power(2, power_of_two) : power(5, -power_of_two);
  result.digits = decimal(multiplied_by_mantissa(scale, mantissa));
  result.exponent = static_cast<int>(result.digits.size()) + power_of_ten;
  result.digits.erase(result.digits.find_last_not_of('0') + 1);
  return result;
}

}  // namespace testing_support
