#pragma once
// The process's standard streams, as raw bytes: nothing is translated or buffered.
#include <cstddef>

namespace platform {

// Writes the bytes to the standard error stream in one unbuffered write.
void write_standard_error(const char* bytes, std::size_t count);

}  // namespace platform
