#pragma once
// How much storage the machine can still give the process.
#include <cstdint>

namespace platform {

// Bytes of memory the process may still commit without being killed for it: physical memory
// available now plus free swap. Read once per process by the caller.
std::uint64_t available_memory_bytes();

}  // namespace platform
