#include "process/run_time_error.h"

#include <string>
#include <vector>

#include "platform/console.h"
#include "process/termination.h"

namespace process {
namespace {

// Set while the end-of-run handler closes the units: an error raised then is reported and
// unwinds to that handler instead of starting a second termination.
bool closing_in_progress = false;
// Read by the termination, which must not end a run whose closing failed as a success.
bool error_reported = false;
struct ClosingInterrupted {};

std::string_view operation_text(Operation operation) {
  switch (operation) {
    case Operation::Unit: return ": (";
    case Operation::Close: return ": CLOSE(";
    case Operation::Write: return ": WRITE(";
    case Operation::Open: return ": OPEN(";
    case Operation::Read: return ": READ(";
  }
  return "";
}

// The message in the pieces it is written in, one write each.
std::vector<std::string> message_pieces(const RunTimeError& error, Operation operation,
                                        std::string_view file_name, std::string_view text) {
  std::vector<std::string> pieces{"\r\n", "run-time error "};
  pieces.push_back(error.letter + std::to_string(error.number));
  if (error.names_file) {
    pieces.emplace_back(operation_text(operation));
    pieces.emplace_back(file_name);
    pieces.emplace_back(text.empty() ? ")\r\n" : ")\r\n- ");
  } else {
    pieces.emplace_back(error.letter == 'M' ? ": MATH\r\n- " : "\r\n- ");
  }
  pieces.emplace_back(text);
  pieces.emplace_back("\r\n");
  return pieces;
}

}  // namespace

std::string compose_run_time_error(const RunTimeError& error, Operation operation,
                                   std::string_view file_name, std::string_view text) {
  std::string message;
  for (const auto& piece : message_pieces(error, operation, file_name, text)) message += piece;
  return message;
}

void raise_run_time_error(const RunTimeError& error, Operation operation,
                          std::string_view file_name, std::string_view text) {
  for (const auto& piece : message_pieces(error, operation, file_name, text)) {
    if (!piece.empty()) platform::write_standard_error(piece.data(), piece.size());
  }
  error_reported = true;
  if (closing_in_progress) throw ClosingInterrupted{};
  terminate_process(1);
}

void raise_run_time_error(const RunTimeError& error, Operation operation,
                          std::string_view file_name) {
  raise_run_time_error(error, operation, file_name, error.text);
}

void raise_run_time_error(const RunTimeError& error, std::string_view text) {
  raise_run_time_error(error, Operation::Unit, {}, text);
}

void raise_run_time_error(const RunTimeError& error) { raise_run_time_error(error, error.text); }

void raise_run_time_error(const RunTimeErrorReport& report) {
  raise_run_time_error(*report.error, report.operation, report.file_name, report.text);
}

std::string compose_run_time_error(const RunTimeErrorReport& report) {
  return compose_run_time_error(*report.error, report.operation, report.file_name, report.text);
}

bool run_time_error_reported() { return error_reported; }

void run_end_of_run_closing(void (*close_all)()) {
  if (closing_in_progress) return;
  closing_in_progress = true;
  try {
    close_all();
  } catch (const ClosingInterrupted&) {
    // Reported already; the units not yet closed stay as they are.
  }
}

}  // namespace process
