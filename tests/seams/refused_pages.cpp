// Pages as a system under memory pressure gives them: a block of 1 MiB and more is refused when
// its pages are populated. Linked into a copy of aleta in place of the platform's own, so that
// the program meets the refusals a real system gives only when memory runs out.
#include "platform/pages.h"

namespace platform {

bool populate_pages(void*, std::size_t bytes, unsigned) { return bytes < (std::size_t{1} << 20); }

bool populate_pages(const PageBlock* blocks, std::size_t count, unsigned threads) {
  for (std::size_t i = 0; i < count; ++i) {
    if (!populate_pages(blocks[i].start, blocks[i].bytes, threads)) return false;
  }
  return true;
}

}  // namespace platform
