#pragma once
// The process frame for fuzz targets that run many inputs in one process: linked in place of
// the platform's process exit and console, so that a run-time error comes back to the target
// as an exception instead of ending the process, with its message kept for checking.
#include <string>

namespace fuzz {

// Thrown where the process would end.
struct ProcessEnded {
  int code;
};

// What was written to the standard error stream since the last call.
std::string take_standard_error();

}  // namespace fuzz
