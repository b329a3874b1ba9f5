#pragma once
// Runs one command line through the system's command interpreter and waits for it to end.
#include <cstdint>

namespace process {

// Runs the first `length` bytes of `command` (trailing blanks dropped, at most 1024 bytes left)
// and returns the interpreter's exit code once it has ended, or -1 when nothing could be started
// (the reason is left in the platform's last-error value).
std::int32_t run_command(const char* command, std::int32_t length);

}  // namespace process
