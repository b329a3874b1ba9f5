#include "textio/integer_conversion.h"

#include <cstdint>

namespace textio {
namespace {

constexpr char kEndOfText = 0x1A;  // Ctrl-Z: what follows it is not part of the number
constexpr std::uint64_t kLargestDecimal = 2147483647;
// Any other radix may fill all 32 bits: 16#FFFFFFFF is -1.
constexpr std::uint64_t kLargestOtherRadix = 4294967295;

// The value of `c` as a digit of a radix up to 36, or 36 when it is none.
unsigned digit_value(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'a' && c <= 'z') return static_cast<unsigned>(c - 'a') + 10;
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned>(c - 'A') + 10;
  return 36;
}

struct Digits {
  std::uint64_t value = 0;
  std::size_t end = 0;  // where a "#" stopped the digits, or the length of the text
  const process::RunTimeError* error = nullptr;
};

// The digits of `radix` at the start of `text`, up to a "#" or the end.
Digits accumulate(std::string_view text, std::uint64_t radix) {
  const std::uint64_t largest = radix == 10 ? kLargestDecimal : kLargestOtherRadix;
  Digits digits;
  for (; digits.end < text.size(); ++digits.end) {
    const char c = text[digits.end];
    if (c == '#') return digits;
    const unsigned digit = digit_value(c);
    if (digit >= radix) return {0, digits.end, &process::kInvalidInteger};
    digits.value = digits.value * radix + digit;  // at most 4294967295 * 36 + 35: no wrap
    if (digits.value > largest) return {0, digits.end, &process::kIntegerOutOfRange};
  }
  return digits;
}

}  // namespace

Converted<std::int32_t> convert_integer(std::string_view text) {
  text = text.substr(0, text.find(kEndOfText));
  // The one value whose magnitude does not fit a positive 32-bit integer.
  if (text == "-2147483648") return {INT32_MIN, nullptr};

  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  Digits digits = accumulate(text, 10);
  if (digits.error == nullptr && digits.end < text.size()) {
    // "#": the number so far is the radix of the digits after it; none or 0 means 16.
    const std::uint64_t radix = digits.value == 0 ? 16 : digits.value;
    if (radix < 2 || radix > 36) return {0, &process::kRadixOutOfRange};
    const std::string_view rest = text.substr(digits.end + 1);
    digits = accumulate(rest, radix);
    if (digits.error == nullptr && digits.end < rest.size()) return {0, &process::kSecondRadixMark};
  }
  if (digits.error != nullptr) return {0, digits.error};
  // The 32 bits as two's complement, negated in unsigned arithmetic so that -16#80000000
  // wraps like the hardware instead of overflowing.
  std::uint32_t bits = static_cast<std::uint32_t>(digits.value);
  if (negative) bits = 0u - bits;
  return {static_cast<std::int32_t>(bits), nullptr};
}

}  // namespace textio
