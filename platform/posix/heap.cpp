#include "platform/heap.h"

#include <malloc.h>

namespace platform {

void use_one_heap() { mallopt(M_ARENA_MAX, 1); }

}  // namespace platform
