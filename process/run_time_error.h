#pragma once
// Fatal run-time errors: one message on the standard error stream, then the end of the process.
#include <string>
#include <string_view>

namespace process {

// The operation that met the error; it selects the words after the error number.
enum class Operation {
  Unit = 0,     // a unit error outside the operations below
  Close = 1,
  Write = 2,
  Open = 6,
  Read = 7,
  Math = 15,    // arithmetic faults and errors of the hyperbolic functions
  Storage = 16  // an array that cannot be created
};

// Reports run-time error `number` with its text from the message table and ends the process
// with exit code 1. `file_name` is shown for the unit operations (Unit to Read).
[[noreturn]] void raise_run_time_error(int number, Operation kind, std::string_view file_name = {});

// The same with a message text of the caller's instead of the table's.
[[noreturn]] void raise_run_time_error(int number, Operation kind, std::string_view file_name,
                                       std::string_view text);

// The bytes of one message, exactly as they go to the standard error stream.
std::string compose_run_time_error(int number, Operation kind, std::string_view file_name,
                                   std::string_view text);

// The table's text for `number` (empty for a number without one).
std::string_view run_time_error_text(int number);

// Whether a run-time error message has been written in this process.
bool run_time_error_reported();

// Runs `close_all`, the end-of-run closing of the open units, at most once per process. A
// run-time error raised inside it is reported and then ends `close_all` only: the termination
// already under way goes on, with exit code 1 if it was to be 0 (see terminate_process).
void run_end_of_run_closing(void (*close_all)());

}  // namespace process
