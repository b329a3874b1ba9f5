#pragma once
// The writer's fields derived from the complete decimal expansion of a double (exact_decimal.h)
// by the two-step rounding: the truncated 18 digits rounded to 17, then to the digits the field
// shows, halves away from zero. A reference for the number rendering that shares no code with it.
#include <string>

#include "tests/support/exact_decimal.h"

namespace testing_support {

// The 17-digit string of a finite `value`: its first 18 exact digits, rounded once.
ExactDecimal seventeen_digits(double value);

// The "1P,E25.15" and "F15.3" fields of a finite `value` whose 17-digit string is `s`.
std::string expected_exponent_field(double value, const ExactDecimal& s);
std::string expected_fixed_field(double value, const ExactDecimal& s);

// The field of `width` characters of an infinity or a NaN, named by its bit pattern.
std::string expected_nonfinite_field(double value, int width);

}  // namespace testing_support
