#include "platform/heap.h"

namespace platform {

// The C runtime's heap is one for the whole process already.
void use_one_heap() {}

}  // namespace platform
