#pragma once
// The integer rule of the list-directed reader: decimal digits with an optional sign, or digits
// of another radix after "#" (16#1F is 31).
#include <cstdint>
#include <string_view>

#include "textio/converted.h"

namespace textio {

// Converts `text`, which ends early at a byte 0x1A. Errors: 6100 out of range, 6101 invalid
// character, 6302 second "#", 6303 radix outside 2..36. A sign alone, or no digits, gives 0.
Converted<std::int32_t> convert_integer(std::string_view text);

}  // namespace textio
