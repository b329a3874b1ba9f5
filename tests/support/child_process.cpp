#include "tests/support/child_process.h"

#include <cstdlib>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {
namespace {

struct Pipe {
  int read_end = -1;
  int write_end = -1;
  Pipe() {
    int fds[2];
    if (pipe(fds) == 0) {
      read_end = fds[0];
      write_end = fds[1];
    }
  }
};

// In the child: the three standard streams onto the pipes.
void redirect(Pipe& in, Pipe& out, Pipe& err) {
  dup2(in.read_end, STDIN_FILENO);
  dup2(out.write_end, STDOUT_FILENO);
  dup2(err.write_end, STDERR_FILENO);
  for (Pipe* p : {&in, &out, &err}) {
    close(p->read_end);
    close(p->write_end);
  }
}

// In the parent: feed the input, collect both outputs, wait for the child.
ChildResult collect(pid_t child, Pipe& in, Pipe& out, Pipe& err, const std::string& input) {
  close(in.read_end);
  close(out.write_end);
  close(err.write_end);
  (void)!write(in.write_end, input.data(), input.size());  // small inputs fit the pipe
  close(in.write_end);

  ChildResult result;
  pollfd fds[2] = {{out.read_end, POLLIN, 0}, {err.read_end, POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  int open_streams = 2;
  while (open_streams > 0) {
    poll(fds, 2, -1);
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(n));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open_streams;
      }
    }
  }
  int status = 0;
  waitpid(child, &status, 0);
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

}  // namespace

ChildResult run_in_child(const std::function<void()>& body, const std::string& input) {
  Pipe in, out, err;
  pid_t child = fork();
  if (child == 0) {
    redirect(in, out, err);
    body();
    _exit(0);
  }
  return collect(child, in, out, err, input);
}

ChildResult run_program(const std::vector<std::string>& argv, const std::string& directory,
                        const std::vector<std::pair<std::string, std::string>>& environment,
                        const std::string& input) {
  Pipe in, out, err;
  pid_t child = fork();
  if (child == 0) {
    redirect(in, out, err);
    if (chdir(directory.c_str()) != 0) _exit(127);
    for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  return collect(child, in, out, err, input);
}

}  // namespace testing_support
