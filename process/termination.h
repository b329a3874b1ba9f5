#pragma once
// The end of the process: exit handlers, then the exit code.

namespace process {

using ExitHandler = void (*)();

// Adds a handler to run at the end of the process; the last registered runs first.
void register_exit_handler(ExitHandler handler);

// Runs the exit handlers and ends the process with `code`, or with 1 when `code` is 0 but a
// handler reported a run-time error.
[[noreturn]] void terminate_process(int code);

}  // namespace process
