#pragma once
// Running a command through a POSIX shell, with the shell's path open to tests.
#include <cstdint>
#include <string_view>

namespace platform::posix {

// Starts `shell_path` with the arguments "-c" and `command` (the standard streams, environment
// and directory are the caller's), waits for it and returns its exit code, or 128 plus the
// signal number when a signal ended it. -1 with errno 2, 8 or 12 when it cannot be started.
std::int32_t run_shell(const char* shell_path, std::string_view command);

}  // namespace platform::posix
