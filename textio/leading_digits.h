#pragma once
// The leading decimal digits of a double's exact value.
#include <cstdint>

namespace textio {

// The first 18 significant digits of the exact value of `magnitude` (finite and positive),
// truncated, as an integer from 10^17 to 10^18 - 1; `exponent` receives N such that the value
// is 0.d1d2d3... times 10^N.
std::uint64_t leading_18_digits(double magnitude, int& exponent);

}  // namespace textio
