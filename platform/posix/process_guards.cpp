#include "platform/process_guards.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include "platform/files.h"

namespace platform {
namespace {

// A closed descriptor 0, 1 or 2 would be given to the next file opened. Taken in order, the
// lower ones are already open, so the null device gets the closed descriptor itself. It is
// inherited by the editor's process, which then starts with its standard streams too. Should
// the null device be missing, the stream stays closed: nothing else is safe to put there.
void open_closed_standard_streams() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) (void)::open(null_device_name(), O_RDWR);
  }
}

void on_file_size_limit(int) {}

// A write beyond RLIMIT_FSIZE raises SIGXFSZ, whose default action ends the process with a
// truncated file and no message. Caught, the write fails with EFBIG instead, which the file
// layer reports as a full disk. Caught rather than ignored: a started program (the editor)
// gets the default action back.
void catch_file_size_limit() {
  struct sigaction action {};
  action.sa_handler = on_file_size_limit;
  sigemptyset(&action.sa_mask);
  (void)::sigaction(SIGXFSZ, &action, nullptr);
}

}  // namespace

void install_process_guards() {
  open_closed_standard_streams();
  catch_file_size_limit();
}

}  // namespace platform
