#pragma once
// The complete decimal expansion of a double, by big-integer arithmetic: a reference for the
// number rendering that shares no code with it.
#include <string>

namespace testing_support {

struct ExactDecimal {
  std::string digits;  // all significant digits, no trailing zeros; "0" for zero
  int exponent = 0;    // the value is 0.digits times 10 to this power (0 for zero)
  bool negative = false;
};

// Every finite double m * 2^e is an integer when e >= 0, and m * 5^-e / 10^-e when e < 0.
ExactDecimal exact_decimal(double value);

}  // namespace testing_support
