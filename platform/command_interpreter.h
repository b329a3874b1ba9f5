#pragma once
// The system's command interpreter, run for one command line.
#include <cstdint>
#include <string_view>

namespace platform {

// Hands `command` unchanged to the command interpreter, waits without time limit until the
// interpreter has ended and returns its exit code as a signed 32-bit value. When no interpreter
// can be started: -1, with the reason (2: not found, 8: not a runnable program, 12: any other)
// in the platform's last-error value.
std::int32_t run_in_command_interpreter(std::string_view command);

// Records `reason` in the platform's last-error value of the calling thread.
void set_last_error(int reason);

}  // namespace platform
