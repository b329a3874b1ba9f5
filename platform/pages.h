#pragma once
// Pages put in place ahead of use. On Linux a block's pages are made present in one call: the
// computation then does not stop for a page fault at each page it first touches (on a virtual
// machine each of those is dear), and a system that cannot back the pages says so here instead
// of ending the process when they are touched.
#include <cstddef>

namespace platform {

// Makes every whole page within [start, start + bytes) present and writable, keeping what it
// holds; false when the system refuses to back them. With `threads` of 2 or more a large block
// is shared between two threads as below.
bool populate_pages(void* start, std::size_t bytes, unsigned threads);

struct PageBlock {
  void* start;
  std::size_t bytes;
};

// populate_pages for each of `count` blocks, shared between two threads where there are more
// than one and `threads` allows two: the system puts pages in place for both at once, in about
// half the time. False when any block is refused.
bool populate_pages(const PageBlock* blocks, std::size_t count, unsigned threads);

}  // namespace platform
