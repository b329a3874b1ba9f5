#include "platform/pages.h"

#include <cerrno>
#include <sys/mman.h>
#include <unistd.h>

// Linux 5.14 and later; C library headers older than the kernel may lack the name.
#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif

namespace platform {
namespace {

std::size_t page_size() { return static_cast<std::size_t>(sysconf(_SC_PAGESIZE)); }

// `bytes` rounded up to whole pages; 0 when that does not fit in a size_t.
std::size_t whole_pages(std::size_t bytes) {
  const std::size_t page = page_size();
  if (bytes > static_cast<std::size_t>(-1) - page) return 0;
  return (bytes + page - 1) / page * page;
}

// Makes every page of the fresh mapping [block, block + length) present, writable and zero.
// One call does it where the kernel has MADV_POPULATE_WRITE, and reports the pages it cannot
// back (ENOMEM, or EFAULT and the like). Where it does not (EINVAL), one write per page does
// the same, though a refusal then still ends the process on its touch: the storage budget is
// the only guard there.
bool populate(void* block, std::size_t length) {
  if (madvise(block, length, MADV_POPULATE_WRITE) == 0) return true;
  if (errno != EINVAL) return false;
  volatile char* const bytes = static_cast<char*>(block);
  const std::size_t page = page_size();
  for (std::size_t at = 0; at < length; at += page) bytes[at] = 0;
  return true;
}

}  // namespace

void* obtain_pages(std::size_t bytes, bool populate_now) {
  const std::size_t length = whole_pages(bytes);
  if (length == 0) return nullptr;
  void* block = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (block == MAP_FAILED) return nullptr;
  if (populate_now && !populate(block, length)) {
    munmap(block, length);
    return nullptr;
  }
  return block;
}

void* grow_pages(void* pages, std::size_t old_bytes, std::size_t new_bytes) {
  const std::size_t old_length = whole_pages(old_bytes);
  const std::size_t length = whole_pages(new_bytes);
  if (length == 0) return nullptr;
  // Room for the whole block, of which only the new part is populated: the old pages are then
  // moved in front of it, not copied, so the old contents never take memory twice. Until they
  // move, a refusal leaves the old block as it was.
  void* block = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (block == MAP_FAILED) return nullptr;
  if (!populate(static_cast<char*>(block) + old_length, length - old_length) ||
      mremap(pages, old_length, old_length, MREMAP_MAYMOVE | MREMAP_FIXED, block) == MAP_FAILED) {
    munmap(block, length);
    return nullptr;
  }
  return block;
}

void release_pages(void* pages, std::size_t bytes) {
  if (pages != nullptr) munmap(pages, whole_pages(bytes));
}

}  // namespace platform
