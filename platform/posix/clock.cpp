#include "platform/clock.h"

#include <ctime>

namespace platform {
namespace {

// Seconds from 1 January 1601 to 1 January 1970, the start of the Unix clock.
constexpr std::uint64_t kSeconds1601To1970 = 11644473600ULL;

}  // namespace

std::uint64_t utc_now_100ns() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  // Whole milliseconds only: the clock is read at the resolution of its Windows counterpart.
  // Before 1970 the Unix seconds are negative; the sum stays positive for any date after 1601.
  std::int64_t millis = static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
  return static_cast<std::uint64_t>(millis + static_cast<std::int64_t>(kSeconds1601To1970) * 1000) *
         10000ULL;
}

}  // namespace platform
