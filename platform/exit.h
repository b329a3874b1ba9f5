#pragma once
// Ending the process.

namespace platform {

// Ends the process at once with `code`; no exit handlers or destructors run.
[[noreturn]] void exit_process(int code);

}  // namespace platform
