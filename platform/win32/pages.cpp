#include "platform/pages.h"

namespace platform {

// Nothing to do. Measured under Wine, neither PrefetchVirtualMemory (which brought no page in)
// nor committing with VirtualAlloc made the first touches of a large block any cheaper than
// those of the C library's calloc; touching each page here would only move the faults earlier.
// Windows refuses storage it cannot back when it is committed, that is when it is allocated.
bool populate_pages(void*, std::size_t, unsigned) { return true; }

bool populate_pages(const PageBlock*, std::size_t, unsigned) { return true; }

}  // namespace platform
