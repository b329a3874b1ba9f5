#include "platform/pages.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
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

// The pages are put in place this many bytes per call. The kernel holds the process's map of
// its memory for reading through each call, and a thread that takes or gives back storage
// meanwhile (a mesh study's other meshes) waits for the whole call, and every fault behind it:
// calls of 2 MiB let the others in between at no measurable cost.
constexpr std::uintptr_t kCallBytes = std::uintptr_t{2} << 20;

// MADV_POPULATE_WRITE does it where the kernel has it, and reports the pages it cannot
// back (ENOMEM, or EFAULT and the like). Where it does not (EINVAL), one write per page does
// the same, though a refusal then still ends the process at that write: the storage budget is
// the only guard there.
bool populate_range(void* start, std::size_t bytes) {
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto from = reinterpret_cast<std::uintptr_t>(start);
  const std::uintptr_t first = (from + page - 1) / page * page;
  const std::uintptr_t end = (from + bytes) / page * page;
  if (end <= first) return true;
  std::uintptr_t at = first;
  for (; at < end; at += kCallBytes) {
    const std::uintptr_t length = std::min<std::uintptr_t>(kCallBytes, end - at);
    if (madvise(reinterpret_cast<void*>(at), length, MADV_POPULATE_WRITE) != 0) break;
  }
  if (at >= end) return true;
  if (errno != EINVAL) return false;
  for (; at < end; at += page) {
    volatile char& byte = *reinterpret_cast<char*>(at);
    const char value = byte;
    byte = value;
  }
  return true;
}

// A block this large is populated in two halves, one on a second thread.
constexpr std::size_t kSplitFrom = std::size_t{16} << 20;

}  // namespace

bool populate_pages(void* start, std::size_t bytes, unsigned threads) {
  if (bytes < kSplitFrom || threads < 2) return populate_range(start, bytes);
  // Split on a page boundary, so that no page falls between the halves.
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto from = reinterpret_cast<std::uintptr_t>(start);
  const std::size_t half = (from + bytes / 2) / page * page - from;
  char* const block = static_cast<char*>(start);
  const PageBlock halves[] = {{block, half}, {block + half, bytes - half}};
  return populate_pages(halves, 2, threads);
}

bool populate_pages(const PageBlock* blocks, std::size_t count, unsigned threads) {
  std::atomic<bool> granted{true};
  const auto populate_from = [&](std::size_t first, std::size_t step) {
    for (std::size_t i = first; i < count; i += step) {
      if (!populate_range(blocks[i].start, blocks[i].bytes)) granted = false;
    }
  };
  std::thread helper;  // takes every other block
  if (count > 1 && threads >= 2) {
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
