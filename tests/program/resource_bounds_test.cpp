// The largest values the input allows, and input files far larger than any a user writes: the
// run ends cleanly, with its report or its run-time error, in bounded memory.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/program/program_run.h"

namespace testing_support {
namespace {

const std::string kData = std::string(ALETA_SOURCE_DIR) + "/tests/data/";
const std::string kWorkedUds = kData + "worked_uds/";
const std::string kWorkedUds2 = kData + "worked_uds2/";
constexpr std::size_t kMegabytes16 = 16 << 20;

// `text` with its first `from` replaced by `to`.
std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

std::string without_time(const std::string& report) { return split_time(report).without_time; }

TEST(ResourceBounds, LargestMeshEndsWithError6772) {
  // 2147483647 nodes ask for 16 GiB per array: the storage of the arrays cannot all be had,
  // which is reported before any of it is used.
  ProgramRun run;
  run.put("entradas_geral.ent",
          replaced(read_file(kWorkedUds + "entradas_geral.ent"), "\n3 ", "\n2147483647 "));
  const ChildResult r = run.run();
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, "\r\nrun-time error F6772\r\n- not enough memory for an array\r\n");
  EXPECT_FALSE(run.exists("relatorio.txt"));
}

TEST(ResourceBounds, LargestItmaxWithEarlyConvergence) {
  // The norms are kept for the iterations made, not for itmax + 1 of them.
  ProgramRun run;
  run.put("entradas_geral.ent", read_file(kWorkedUds2 + "entradas_geral.ent"));
  run.put("entradas_uds.ent",
          replaced(read_file(kWorkedUds2 + "entradas_uds.ent"), "100 ", "2147483647 "));
  const ChildResult r = run.run();
  ASSERT_EQ(r.exit_code, 0) << r.err;
  const std::string reference = replaced(read_file(kWorkedUds2 + "relatorio.txt.expected"),
                                         "       100                    = itmax:",
                                         "2147483647                    = itmax:");
  EXPECT_EQ(without_time(run.get("relatorio.txt")), without_time(reference));
}

struct Outcome {
  int exit_code = -1;
  long peak_kilobytes = 0;
};

// Runs aleta on `input` and measures its peak resident memory.
Outcome measured_run(const std::string& input) {
  ProgramRun run;
  run.put("entradas_geral.ent", input);
  const std::string directory = run.directory();
  const ChildResult r = run_in_child([&] {
    const pid_t aleta = fork();
    if (aleta == 0) {
      if (chdir(directory.c_str()) != 0) _exit(125);
      setenv("PATH", "/usr/bin:/bin", 1);  // no editor: the shell says so and the run goes on
      execl(ALETA_EXE, ALETA_EXE, static_cast<char*>(nullptr));
      _exit(126);
    }
    int status = 0;
    rusage usage{};
    wait4(aleta, &status, 0, &usage);
    const std::string line = std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : 128) + " " +
                             std::to_string(usage.ru_maxrss) + "\n";
    (void)!write(STDOUT_FILENO, line.data(), line.size());
  });
  Outcome outcome;
  if (std::sscanf(r.out.c_str(), "%d %ld", &outcome.exit_code, &outcome.peak_kilobytes) != 2) {
    ADD_FAILURE() << "no outcome: " << r.out << r.err;
  }
  return outcome;
}

TEST(ResourceBounds, HugeInputFilesAreReadInBoundedMemory) {
  const std::string worked = read_file(kWorkedUds + "entradas_geral.ent");
  const std::string rest = worked.substr(worked.find('\n') + 1);  // the lines after the name
  struct Case {
    const char* what;
    std::string input;
  };
  const Case cases[] = {
      {"blanks and blank lines before the first value",
       std::string(kMegabytes16, ' ') + "\r\n" + std::string(kMegabytes16 / 2, '\n') + worked},
      {"a comment on one enormous line", "r.txt " + std::string(kMegabytes16, 'c') + "\r\n" + rest},
      {"an enormous value", std::string(kMegabytes16, 'n') + "\r\n" + rest},
      {"an enormous quoted value", "'" + std::string(kMegabytes16, 'q') + "'\r\n" + rest},
  };
  const Outcome small = measured_run(worked);
  ASSERT_EQ(small.exit_code, 0);
  for (const Case& c : cases) {
    const Outcome big = measured_run(c.input);
    EXPECT_EQ(big.exit_code, 0) << c.what;
    // The input is never held whole: 16 MiB more input costs less than 2 MiB more memory.
    EXPECT_LT(big.peak_kilobytes - small.peak_kilobytes, 2048) << c.what;
  }
}

}  // namespace
}  // namespace testing_support
