#pragma once
// Fatal run-time errors: one message on the standard error stream, then the end of the process.
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "process/run_time_error_report.h"
#include "process/run_time_errors.h"

namespace process {

// Reports an error of a unit operation on the file `file_name`, with the error's text or the
// caller's `text`, and ends the process with exit code 1.
[[noreturn]] void raise_run_time_error(const RunTimeError& error, Operation operation,
                                       std::string_view file_name);
[[noreturn]] void raise_run_time_error(const RunTimeError& error, Operation operation,
                                       std::string_view file_name, std::string_view text);

// The same for an error that names no file: an arithmetic fault or an array's storage.
[[noreturn]] void raise_run_time_error(const RunTimeError& error);
[[noreturn]] void raise_run_time_error(const RunTimeError& error, std::string_view text);

// The same for an error a library returned.
[[noreturn]] void raise_run_time_error(const RunTimeErrorReport& report);

// The value of `result`; its error ends the run as raise_run_time_error does.
template <typename Value>
Value value_or_raise(ValueOrError<Value> result) {
  if (const auto* report = std::get_if<RunTimeErrorReport>(&result)) raise_run_time_error(*report);
  return std::get<Value>(std::move(result));
}

// The bytes of the message of `report`, as compose_run_time_error.
std::string compose_run_time_error(const RunTimeErrorReport& report);

// The bytes of one message, exactly as they go to the standard error stream. `operation` and
// `file_name` are shown only for an error that names a file.
std::string compose_run_time_error(const RunTimeError& error, Operation operation,
                                   std::string_view file_name, std::string_view text);

// Whether a run-time error message has been written in this process.
bool run_time_error_reported();

// Runs `close_all`, the end-of-run closing of the open units, at most once per process. A
// run-time error raised inside it is reported and then ends `close_all` only: the termination
// already under way goes on, with exit code 1 if it was to be 0 (see terminate_process).
void run_end_of_run_closing(void (*close_all)());

}  // namespace process
