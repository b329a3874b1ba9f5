#include "platform/memory.h"

#include <windows.h>

namespace platform {

// Windows does not overcommit: what the process may still commit is the free part of the
// commit limit (physical memory plus page file), which is what a failed allocation runs into.
std::uint64_t available_memory_bytes() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  // Should the system not say, the allocations themselves are left to find the limit.
  if (!GlobalMemoryStatusEx(&status)) return ~std::uint64_t{0};
  return status.ullAvailPageFile;
}

}  // namespace platform
