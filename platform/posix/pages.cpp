#include "platform/pages.h"

#include <cerrno>
#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

// Linux 5.14 and later; C library headers older than the kernel may lack the name.
#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif

namespace platform {

// One call does it where the kernel has MADV_POPULATE_WRITE, and reports the pages it cannot
// back (ENOMEM, or EFAULT and the like). Where it does not (EINVAL), one write per page does
// the same, though a refusal then still ends the process at that write: the storage budget is
// the only guard there.
bool populate_pages(void* start, std::size_t bytes) {
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto from = reinterpret_cast<std::uintptr_t>(start);
  const std::uintptr_t first = (from + page - 1) / page * page;
  const std::uintptr_t end = (from + bytes) / page * page;
  if (end <= first) return true;
  void* pages = reinterpret_cast<void*>(first);
  if (madvise(pages, end - first, MADV_POPULATE_WRITE) == 0) return true;
  if (errno != EINVAL) return false;
  for (std::uintptr_t at = first; at < end; at += page) {
    volatile char& byte = *reinterpret_cast<char*>(at);
    const char value = byte;
    byte = value;
  }
  return true;
}

}  // namespace platform
