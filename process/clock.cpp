#include "process/clock.h"

#include <cstdint>

#include "process/elapsed_ticks.h"
#include "platform/clock.h"

namespace process {
namespace {

// 100-ns count of the first reading, as two 32-bit halves; both 0 while unset.
std::uint32_t origin_high = 0;
std::uint32_t origin_low = 0;

bool origin_set() { return origin_high != 0 || origin_low != 0; }

}  // namespace

double elapsed_seconds() {
  const std::uint64_t now = platform::utc_now_100ns();
  if (!origin_set()) {
    platform::lock_clock();
    const bool first = !origin_set();
    if (first) {
      origin_high = static_cast<std::uint32_t>(now >> 32);
      origin_low = static_cast<std::uint32_t>(now);
    }
    platform::unlock_clock();
    if (first) return 0.0;
  }
  const std::uint64_t origin = (static_cast<std::uint64_t>(origin_high) << 32) | origin_low;
  return static_cast<double>(ticks_of_200ns_between(origin, now)) * 2.0e-7;
}

}  // namespace process
