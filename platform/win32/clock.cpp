#include "platform/clock.h"

#include <windows.h>

namespace platform {

std::uint64_t utc_now_100ns() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  FILETIME count;
  SystemTimeToFileTime(&now, &count);
  return (static_cast<std::uint64_t>(count.dwHighDateTime) << 32) | count.dwLowDateTime;
}

}  // namespace platform
