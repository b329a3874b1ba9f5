#pragma once
// Running a command line as a Windows child process with its standard streams captured byte
// for byte, for checks of what a process writes and how it ends.
#include <string>

namespace wine_checks {

struct ChildResult {
  unsigned long exit_code = ~0ul;
  std::string out;  // standard output
  std::string err;  // standard error
};

// Runs `command_line` in `directory` (the current one when empty) with `input` on its standard
// input and waits for it.
ChildResult run_child(const std::string& command_line, const std::string& input = "",
                      const std::string& directory = "");

// The command line that runs this program again with "--child" and `scenario` (a scenario name,
// possibly followed by its arguments).
std::string self_command(const std::string& scenario);

}  // namespace wine_checks
