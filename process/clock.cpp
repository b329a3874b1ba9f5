#include "process/clock.h"

#include "platform/clock.h"
#include "process/elapsed_ticks.h"

namespace process {

double ElapsedTimeClock::elapsed_seconds() {
  const std::uint64_t now = platform::utc_now_100ns();
  if (origin_ == 0) {
    origin_ = now;
    return 0.0;
  }
  return static_cast<double>(ticks_of_200ns_between(origin_, now)) * 2.0e-7;
}

}  // namespace process
