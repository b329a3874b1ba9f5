#pragma once
// Runs one command line through the system's command interpreter and waits for it to end.
#include <cstdint>
#include <string_view>

namespace process {

// Runs the first `length` bytes of `command` (trailing blanks dropped, at most 1024 bytes left)
// and returns the interpreter's exit code once it has ended, or -1 when nothing could be started
// (the reason is left in the platform's last-error value).
std::int32_t run_command(const char* command, std::int32_t length);

// Runs `program` with `file` as its one argument, quoted so that the interpreter passes it on
// unchanged whatever characters it holds, as run_command does.
std::int32_t run_program_on(std::string_view program, std::string_view file);

}  // namespace process
