#include "platform/posix/fd_io.h"

#include <cerrno>
#include <unistd.h>

namespace platform::posix {

int write_fully(int fd, const char* bytes, std::size_t count) {
  while (count > 0) {
    const ssize_t written = ::write(fd, bytes, count);
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (written == 0) return ENOSPC;
    bytes += written;
    count -= static_cast<std::size_t>(written);
  }
  return 0;
}

ssize_t read_once(int fd, char* bytes, std::size_t count) {
  for (;;) {
    const ssize_t got = ::read(fd, bytes, count);
    if (got >= 0 || errno != EINTR) return got;
  }
}

}  // namespace platform::posix
