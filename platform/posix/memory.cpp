#include "platform/memory.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace platform {
namespace {

// A "Name:   123 kB" line of /proc/meminfo, in bytes; 0 when absent.
std::uint64_t meminfo_bytes(const char* name) {
  std::FILE* f = std::fopen("/proc/meminfo", "r");
  if (f == nullptr) return 0;
  char line[256];
  unsigned long long kib = 0;
  const std::size_t length = std::strlen(name);
  while (std::fgets(line, sizeof line, f) != nullptr) {
    if (std::strncmp(line, name, length) == 0 && line[length] == ':') {
      std::sscanf(line + length + 1, "%llu", &kib);
      break;
    }
  }
  std::fclose(f);
  return kib * 1024;
}

}  // namespace

std::uint64_t available_memory_bytes() {
  std::uint64_t available = meminfo_bytes("MemAvailable");
  if (available == 0) {
    available = static_cast<std::uint64_t>(sysconf(_SC_AVPHYS_PAGES)) *
                static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
  }
  return available + meminfo_bytes("SwapFree");
}

}  // namespace platform
