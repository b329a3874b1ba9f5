#include "platform/console.h"

#include <unistd.h>

#include "platform/posix/fd_io.h"

namespace platform {

// A failure of the standard streams themselves has nowhere left to be reported.
void write_standard_error(const char* bytes, std::size_t count) {
  (void)posix::write_fully(STDERR_FILENO, bytes, count);
}

void write_standard_output(const char* bytes, std::size_t count) {
  (void)posix::write_fully(STDOUT_FILENO, bytes, count);
}

bool read_standard_input_line(std::string& line, std::size_t max_bytes) {
  line.clear();
  std::size_t total = 0;  // bytes of the line, including those past max_bytes
  bool ended_by_lf = false;
  char byte = 0;
  // Byte by byte, so that nothing after the LF is taken from the stream.
  while (!ended_by_lf && posix::read_once(STDIN_FILENO, &byte, 1) == 1) {
    if (byte == '\n') {
      ended_by_lf = true;
      // One byte is kept beyond the limit so that a CR just before the LF can still be seen.
      if (total == line.size() && !line.empty() && line.back() == '\r') line.pop_back();
    } else {
      if (line.size() <= max_bytes) line.push_back(byte);
      ++total;
    }
  }
  if (line.size() > max_bytes) line.resize(max_bytes);
  return ended_by_lf || total > 0;
}

}  // namespace platform
