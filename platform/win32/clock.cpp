#include "platform/clock.h"

#include <windows.h>

namespace platform {
namespace {

CRITICAL_SECTION clock_lock;

}  // namespace

std::uint64_t utc_now_100ns() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  FILETIME count;
  SystemTimeToFileTime(&now, &count);
  return (static_cast<std::uint64_t>(count.dwHighDateTime) << 32) | count.dwLowDateTime;
}

void create_clock_lock() { InitializeCriticalSection(&clock_lock); }
void lock_clock() { EnterCriticalSection(&clock_lock); }
void unlock_clock() { LeaveCriticalSection(&clock_lock); }

}  // namespace platform
