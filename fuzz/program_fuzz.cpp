// Fuzz target: the whole program on two arbitrary input files, through reading, validation,
// computation and the report, in a scratch directory. The input is "entradas_geral.ent", then,
// after a line "%%", "entradas_uds.ent" (without that line the second file does not exist).
//
// Each input runs in a forked child (program_child.h), because the program's failures end the
// process and its arithmetic faults arrive as signals in the middle of the computation: in a
// child they do exactly what they do for a user. The child must end with exit code 0 and a
// complete report, or with exit code 1 and one run-time error message; a signal, another exit
// code, a sanitizer report or a missing or unfinished report is a finding.
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "fuzz/program_child.h"
#include "fuzz/scratch_directory.h"

namespace {

constexpr std::string_view kSeparator = "\n%%\n";
constexpr std::string_view kTimeLabel = "de processamento (em segundos):";

std::string work_directory;

void write_file(const std::string& name, std::string_view bytes) {
  std::FILE* file = std::fopen((work_directory + "/" + name).c_str(), "wb");
  if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
    std::abort();
  }
  std::fclose(file);
}

std::string read_descriptor(int fd) {
  std::string bytes;
  char buffer[4096];
  lseek(fd, 0, SEEK_SET);
  for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) bytes.append(buffer, n);
  return bytes;
}

// Whether `bytes` end with the report's last record, the processing time.
bool ends_a_report(const std::string& bytes) {
  if (bytes.size() < 2 || bytes.compare(bytes.size() - 2, 2, "\r\n") != 0) return false;
  const std::size_t last_record = bytes.rfind('\n', bytes.size() - 3);
  return bytes.find(kTimeLabel, last_record == std::string::npos ? 0 : last_record) !=
         std::string::npos;
}

// Checks the files the run left for a finished report, and empties the directory.
bool report_in_directory_and_clean() {
  bool found = false;
  DIR* directory = opendir(work_directory.c_str());
  if (directory == nullptr) std::abort();
  while (dirent* entry = readdir(directory)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    const std::string path = work_directory + "/" + name;
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd >= 0) {
      found = found || ends_a_report(read_descriptor(fd));
      close(fd);
    }
    unlink(path.c_str());
  }
  closedir(directory);
  return found;
}

[[noreturn]] void fail(const char* what, int status, const std::string& err) {
  std::fprintf(stderr, "%s (wait status %d); the program's standard error:\n%s\n", what, status,
               err.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  static const fuzz::ScratchDirectory scratch("program-fuzz");
  work_directory = scratch.path();
  fuzz::prepare_child_runs();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t separator = input.find(kSeparator);
  write_file("entradas_geral.ent", input.substr(0, separator));
  if (separator != std::string_view::npos) {
    write_file("entradas_uds.ent", input.substr(separator + kSeparator.size()));
  }
  const int out = memfd_create("stdout", 0);
  const int err = memfd_create("stderr", 0);
  const pid_t child = fork();
  if (child < 0) std::abort();
  if (child == 0) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);  // a child left behind by a timeout must not run on
    const int no_input = open("/dev/null", O_RDONLY);
    if (no_input < 0 || chdir(work_directory.c_str()) != 0) _exit(125);
    dup2(no_input, STDIN_FILENO);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    fuzz::run_program_in_child();
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
  }
  const bool discarded = fuzz::take_child_outcome();
  const std::string out_bytes = read_descriptor(out);
  const std::string err_bytes = read_descriptor(err);
  close(out);
  close(err);
  const bool report_in_file = report_in_directory_and_clean();

  if (!WIFEXITED(status)) fail("ended by a signal", status, err_bytes);
  // A sanitizer in the child reports and then ends it, possibly with exit code 1.
  if (err_bytes.find("Sanitizer") != std::string::npos) fail("a sanitizer report", status, err_bytes);
  const bool reported_error = err_bytes.find("\r\nrun-time error ") != std::string::npos;
  if (WEXITSTATUS(status) == 1) {
    if (!reported_error || err_bytes.compare(err_bytes.size() - 2, 2, "\r\n") != 0) {
      fail("exit code 1 without a run-time error message", status, err_bytes);
    }
  } else if (WEXITSTATUS(status) == 0) {
    if (reported_error) fail("a run-time error message, yet exit code 0", status, err_bytes);
    if (!report_in_file && !discarded && !ends_a_report(out_bytes) && !ends_a_report(err_bytes)) {
      fail("exit code 0 without a finished report", status, err_bytes);
    }
  } else {
    fail("an exit code other than 0 or 1", status, err_bytes);
  }
  return 0;
}
