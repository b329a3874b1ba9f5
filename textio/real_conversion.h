#pragma once
// The real rule of the list-directed reader: an optional sign, digits with at most one point,
// then optionally an exponent written with E, e, D or d, or a sign right after the digits
// (1.5-3 is 1.5E-3).
#include <string_view>

#include "textio/converted.h"

namespace textio {

// Converts `text` to the nearest double, using its first 25 significant digits (the others only
// count toward the magnitude). Errors: 6102 beyond the largest double, 6103 not a real. A value
// too small for a double becomes a subnormal or zero with its sign, silently.
Converted<double> convert_real(std::string_view text);

}  // namespace textio
