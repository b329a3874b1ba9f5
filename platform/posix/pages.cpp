#include "platform/pages.h"

#include <cerrno>
#include <atomic>
#include <cstdint>
#include <system_error>
#include <thread>
#include <sys/mman.h>
#include <unistd.h>

// Linux 5.14 and later; C library headers older than the kernel may lack the name.
#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif

namespace platform {
namespace {

// One call does it where the kernel has MADV_POPULATE_WRITE, and reports the pages it cannot
// back (ENOMEM, or EFAULT and the like). Where it does not (EINVAL), one write per page does
// the same, though a refusal then still ends the process at that write: the storage budget is
// the only guard there.
bool populate_range(void* start, std::size_t bytes) {
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

// A block this large is populated in two halves, one on a second thread.
constexpr std::size_t kSplitFrom = std::size_t{16} << 20;

}  // namespace

bool populate_pages(void* start, std::size_t bytes) {
  if (bytes < kSplitFrom) return populate_range(start, bytes);
  // Split on a page boundary, so that no page falls between the halves.
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto from = reinterpret_cast<std::uintptr_t>(start);
  const std::size_t half = (from + bytes / 2) / page * page - from;
  char* const block = static_cast<char*>(start);
  const PageBlock halves[] = {{block, half}, {block + half, bytes - half}};
  return populate_pages(halves, 2);
}

bool populate_pages(const PageBlock* blocks, std::size_t count) {
  std::atomic<bool> granted{true};
  const auto populate_from = [&](std::size_t first, std::size_t step) {
    for (std::size_t i = first; i < count; i += step) {
      if (!populate_range(blocks[i].start, blocks[i].bytes)) granted = false;
    }
  };
  std::thread helper;  // takes every other block
  if (count > 1) {
    try {
      helper = std::thread(populate_from, 1, 2);
    } catch (const std::system_error&) {
      // no second thread to be had: this one does every block
    }
  }
  populate_from(0, helper.joinable() ? 2 : 1);
  if (helper.joinable()) helper.join();
  return granted;
}

}  // namespace platform
