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

// A program started in the background with its standard streams captured, for tests that act on
// it while it runs (a signal at a given moment). A child still running at the end is killed.
class StartedProgram {
 public:
  StartedProgram(const std::vector<std::string>& argv, const std::string& directory,
                 const std::vector<std::pair<std::string, std::string>>& environment = {});
  ~StartedProgram();
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;

  void signal(int signal_number) const;
  // Reads the standard error stream until it holds `text`, at most `seconds`; whether it does.
  bool error_holds(const std::string& text, double seconds);
  // The result once the program has ended, within `seconds`; a program still running then is
  // killed, and its exit code is -1.
  ChildResult finish(double seconds);

 private:
  // Reads what the streams hold until `done` or the time is over; false when it is over.
  bool read_until(const std::function<bool()>& done, double seconds);

  int pid_ = -1;
  int out_ = -1, err_ = -1;
  ChildResult result_;
};

// Whether the file `path` exists within `seconds`.
bool appears(const std::string& path, double seconds);

}  // namespace testing_support
