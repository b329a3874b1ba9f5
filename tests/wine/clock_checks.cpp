// The elapsed-time clock on Windows: the system time at millisecond resolution, and readings
// relative to the first one.
#include <windows.h>

#include "platform/clock.h"
#include "process/clock.h"
#include "tests/wine/check.h"

namespace {

WINE_CASE(SystemTimeIsA100nsCountAtMillisecondResolution) {
  FILETIME reference;
  GetSystemTimeAsFileTime(&reference);
  const std::uint64_t before =
      (static_cast<std::uint64_t>(reference.dwHighDateTime) << 32) | reference.dwLowDateTime;
  const std::uint64_t now = platform::utc_now_100ns();
  CHECK_EQ(now % 10000, 0u);
  // Within a second of the system's own count, and after 1 January 2020 (132223104000000000).
  CHECK(now + 10000 >= before && now < before + 10000000);
  CHECK(now > 132223104000000000ull);
}

WINE_CASE(FirstReadingIsZeroLaterOnesTheSecondsSinceIt) {
  process::ElapsedTimeClock clock;
  CHECK_EQ(clock.elapsed_seconds(), 0.0);
  Sleep(200);
  const double later = clock.elapsed_seconds();
  CHECK(later >= 0.15 && later < 5.0);
}

}  // namespace
