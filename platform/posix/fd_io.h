#pragma once
// Reads and writes on POSIX descriptors that carry on after interruptions by signals.
#include <cstddef>
#include <sys/types.h>

namespace platform::posix {

// Writes all `count` bytes; returns 0, or the errno of the failure (ENOSPC when the system
// takes no more bytes without saying why).
int write_fully(int fd, const char* bytes, std::size_t count);

// One read of up to `count` bytes: the number of bytes read (0 at the end), or -1 with errno.
ssize_t read_once(int fd, char* bytes, std::size_t count);

}  // namespace platform::posix
