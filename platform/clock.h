#pragma once
// The UTC system clock.
#include <cstdint>

namespace platform {

// The current UTC time as a count of 100-ns intervals since 1 January 1601, at millisecond
// resolution (always a multiple of 10,000).
std::uint64_t utc_now_100ns();

}  // namespace platform
