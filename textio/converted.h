#pragma once
// The result of converting the text of one value: the value, or the run-time error that says why
// the text is not one.
#include "process/run_time_errors.h"

namespace textio {

template <typename T>
struct Converted {
  T value{};
  const process::RunTimeError* error = nullptr;  // null when the text was a valid value
};

}  // namespace textio
