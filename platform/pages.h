#pragma once
// Large blocks of storage taken from the system whole. On Linux every page is in place before the
// block is handed out: the computation then does not stop for a page fault at each page it first
// touches (on a virtual machine each of those is dear), and a system that cannot back the pages
// says so here instead of ending the process when they are touched. On Windows the block is
// committed, which is where that system refuses storage it cannot back.
#include <cstddef>

namespace platform {

// A block of at least `bytes` zero bytes (bytes > 0) in whole pages, aligned to a page, its pages
// populated when `populate` says so; nullptr when the system refuses the block or its pages.
void* obtain_pages(std::size_t bytes, bool populate);

// The block `pages` of `old_bytes` made longer: a block of at least `new_bytes` (> old_bytes)
// that holds the old contents followed by zeros, and replaces the old block. nullptr when the
// system refuses the longer block, the old one then unchanged.
void* grow_pages(void* pages, std::size_t old_bytes, std::size_t new_bytes);

// Gives back a block of `bytes` made by obtain_pages or grow_pages.
void release_pages(void* pages, std::size_t bytes);

}  // namespace platform
