// The storage the system gives, as a system under memory pressure gives it: blocks of 1 MiB and
// more are refused when their pages are populated, and no block can be made longer. Linked into
// a copy of aleta in place of the platform's own, so that the program meets the refusals a real
// system gives only when memory runs out.
#include <cstdlib>

#include "platform/pages.h"

namespace platform {

void* obtain_pages(std::size_t bytes, bool) {
  return bytes >= (std::size_t{1} << 20) ? nullptr : std::calloc(bytes, 1);
}

void* grow_pages(void*, std::size_t, std::size_t) { return nullptr; }

void release_pages(void* pages, std::size_t) { std::free(pages); }

}  // namespace platform
