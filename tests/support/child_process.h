#pragma once
// Running code or the program in a child process, with its standard streams captured byte for
// byte, for tests of what the process writes and how it ends.
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

struct ChildResult {
  int exit_code = -1;  // 128 + signal number when a signal ended the child
  std::string out;     // standard output
  std::string err;     // standard error
};

// Runs `body` in a forked child whose standard input holds `input`; a body that returns ends
// the child with exit code 0.
ChildResult run_in_child(const std::function<void()>& body, const std::string& input = "");

// Runs `argv` in `directory`, with `environment` entries (NAME, value) added to or replacing the
// test's own environment.
ChildResult run_program(const std::vector<std::string>& argv, const std::string& directory,
                        const std::vector<std::pair<std::string, std::string>>& environment = {},
                        const std::string& input = "");

}  // namespace testing_support
