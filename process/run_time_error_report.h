#pragma once
// A run-time error found by code that leaves the end of the run to its caller: a library (the
// core's reading of a case, the list reader) returns it as a value, and a program turns it into
// its message with raise_run_time_error (process/run_time_error.h).
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "process/run_time_errors.h"

namespace process {

// The unit operation that met an error; it selects the words after the error number.
enum class Operation {
  Unit = 0,  // a unit error outside the operations below
  Close = 1,
  Write = 2,
  Open = 6,
  Read = 7,
};

// Everything the message of an error needs.
struct RunTimeErrorReport {
  const RunTimeError* error = nullptr;
  Operation operation = Operation::Unit;
  std::string file_name;  // shown only for an error that names a file
  std::string text;       // what follows "- ": the error's own text, or more

  // `error` of `operation` on `file_name`, with the error's own text.
  RunTimeErrorReport(const RunTimeError& e, Operation op, std::string_view file)
      : error(&e), operation(op), file_name(file), text(e.text) {}
  RunTimeErrorReport(const RunTimeError& e, Operation op, std::string_view file,
                     std::string message)
      : error(&e), operation(op), file_name(file), text(std::move(message)) {}
};

// A value, or the run-time error that left none.
template <typename Value>
using ValueOrError = std::variant<Value, RunTimeErrorReport>;

}  // namespace process
