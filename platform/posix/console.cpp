#include "platform/console.h"

#include <unistd.h>

#include "platform/input_line.h"
#include "platform/posix/fd_io.h"

namespace platform {

// A failure of the standard streams themselves has nowhere left to be reported.
void write_standard_error(const char* bytes, std::size_t count) {
  (void)posix::write_fully(STDERR_FILENO, bytes, count);
}

void write_standard_output(const char* bytes, std::size_t count) {
  (void)posix::write_fully(STDOUT_FILENO, bytes, count);
}

// Terminals take UTF-8 as it is.
bool write_standard_error_text(const char* utf8, std::size_t count) {
  return posix::write_fully(STDERR_FILENO, utf8, count) == 0;
}

bool write_standard_output_text(const char* utf8, std::size_t count) {
  return posix::write_fully(STDOUT_FILENO, utf8, count) == 0;
}

bool standard_error_is_terminal() { return isatty(STDERR_FILENO) == 1; }

bool read_standard_input_line(std::string& line, std::size_t max_bytes) {
  return assemble_input_line(line, max_bytes, [](char& byte) {
    return posix::read_once(STDIN_FILENO, &byte, 1) == 1;
  });
}

}  // namespace platform
