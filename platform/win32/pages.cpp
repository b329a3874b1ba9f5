#include "platform/pages.h"

#include <windows.h>

#include <cstring>

namespace platform {

// Committed at once, so that storage the system cannot back is refused here. The pages are not
// populated: under Wine PrefetchVirtualMemory brings none of them in (the first touches cost
// what they cost without it), and touching each page here would only move the faults earlier.
void* obtain_pages(std::size_t bytes, bool) {
  return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void* grow_pages(void* pages, std::size_t old_bytes, std::size_t new_bytes) {
  void* block = obtain_pages(new_bytes, true);
  if (block != nullptr) {
    std::memcpy(block, pages, old_bytes);
    release_pages(pages, old_bytes);
  }
  return block;
}

void release_pages(void* pages, std::size_t) {
  if (pages != nullptr) VirtualFree(pages, 0, MEM_RELEASE);
}

}  // namespace platform
