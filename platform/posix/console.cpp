#include "platform/console.h"

#include <cerrno>
#include <unistd.h>

namespace platform {

void write_standard_error(const char* bytes, std::size_t count) {
  while (count > 0) {
    ssize_t written = ::write(STDERR_FILENO, bytes, count);
    if (written < 0) {
      if (errno == EINTR) continue;
      return;  // Nowhere left to report a failure of the error stream itself.
    }
    bytes += written;
    count -= static_cast<std::size_t>(written);
  }
}

}  // namespace platform
