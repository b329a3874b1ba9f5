#include "tests/support/child_process.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <thread>
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

int exit_code_of(int status) {
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
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
  result.exit_code = exit_code_of(status);
  return result;
}

// Forks a child that runs `argv` in `directory` with `environment` added, its streams on the
// pipes.
pid_t start(const std::vector<std::string>& argv, const std::string& directory,
            const std::vector<std::pair<std::string, std::string>>& environment, Pipe& in,
            Pipe& out, Pipe& err) {
  const pid_t child = fork();
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
  return child;
}

using Clock = std::chrono::steady_clock;

Clock::time_point after(double seconds) {
  return Clock::now() + std::chrono::duration_cast<Clock::duration>(
                            std::chrono::duration<double>(seconds));
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
  const pid_t child = start(argv, directory, environment, in, out, err);
  return collect(child, in, out, err, input);
}

StartedProgram::StartedProgram(const std::vector<std::string>& argv, const std::string& directory,
                               const std::vector<std::pair<std::string, std::string>>& environment) {
  Pipe in, out, err;
  pid_ = start(argv, directory, environment, in, out, err);
  close(in.read_end);
  close(in.write_end);  // nothing on the standard input
  close(out.write_end);
  close(err.write_end);
  out_ = out.read_end;
  err_ = err.read_end;
}

StartedProgram::~StartedProgram() {
  if (pid_ > 0) finish(0);
}

void StartedProgram::signal(int signal_number) const {
  if (pid_ > 0) kill(pid_, signal_number);
}

bool StartedProgram::read_until(const std::function<bool()>& done, double seconds) {
  const Clock::time_point deadline = after(seconds);
  while (!done()) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return false;
    pollfd fds[2] = {{out_, POLLIN, 0}, {err_, POLLIN, 0}};
    std::string* sinks[2] = {&result_.out, &result_.err};
    poll(fds, 2, static_cast<int>(left.count()));
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(n));
      } else {
        close(fds[i].fd);
        (i == 0 ? out_ : err_) = -1;
      }
    }
  }
  return true;
}

bool StartedProgram::error_holds(const std::string& text, double seconds) {
  return read_until([&] { return result_.err.find(text) != std::string::npos || err_ < 0; },
                    seconds) &&
         result_.err.find(text) != std::string::npos;
}

ChildResult StartedProgram::finish(double seconds) {
  if (pid_ <= 0) return result_;
  const bool ended = read_until([&] { return out_ < 0 && err_ < 0; }, seconds);
  if (!ended) kill(pid_, SIGKILL);
  int status = 0;
  waitpid(pid_, &status, 0);
  pid_ = -1;
  for (int* fd : {&out_, &err_}) {
    if (*fd >= 0) close(*fd);
    *fd = -1;
  }
  result_.exit_code = ended ? exit_code_of(status) : -1;
  return result_;
}

bool appears(const std::string& path, double seconds) {
  const Clock::time_point deadline = after(seconds);
  while (access(path.c_str(), F_OK) != 0) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

}  // namespace testing_support
