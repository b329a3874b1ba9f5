#include "platform/command_interpreter.h"

#include <cerrno>
#include <spawn.h>
#include <string>
#include <sys/wait.h>

#include "platform/posix/shell.h"

extern char** environ;

namespace platform {
namespace posix {
namespace {

// The reasons a start can fail for, in the numbers the callers know.
int start_failure_reason(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return 2;
    case ENOEXEC: return 8;
    default: return 12;
  }
}

// A shell ended by a signal gives 128 plus the signal number, as shells report it themselves.
std::int32_t exit_status(int wait_status) {
  return WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 128 + WTERMSIG(wait_status);
}

}  // namespace

std::int32_t run_shell(const char* shell_path, std::string_view command) {
  std::string command_text(command);
  char dash_c[] = "-c";
  std::string program_name(shell_path);
  char* const arguments[] = {program_name.data(), dash_c, command_text.data(), nullptr};
  pid_t child = 0;
  const int error = posix_spawn(&child, shell_path, nullptr, nullptr, arguments, environ);
  if (error != 0) {
    errno = start_failure_reason(error);
    return -1;
  }
  int wait_status = 0;
  while (waitpid(child, &wait_status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return exit_status(wait_status);
}

}  // namespace posix

std::int32_t run_in_command_interpreter(std::string_view command) {
  return posix::run_shell("/bin/sh", command);
}

void set_last_error(int reason) { errno = reason; }

}  // namespace platform
