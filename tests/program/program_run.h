#pragma once
// One run of the aleta program in a scratch directory, with a stand-in notepad on PATH that
// records the arguments of every editor command instead of opening anything.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace testing_support {

// The program is the build's own aleta, or the one named by the environment variable
// ALETA_TEST_PROGRAM started through the command in ALETA_TEST_RUNNER: the Windows build runs
// as ALETA_TEST_RUNNER=wine with ALETA_TEST_PROGRAM=.../aleta.exe, and its stand-in editor is
// the Windows program named by ALETA_TEST_NOTEPAD, found through Wine's search path.
class ProgramRun {
 public:
  ProgramRun();

  // Whether the program under test is the Windows build, run through a runner such as Wine.
  static bool windows_program();

  // Writes an input (or any) file into the working directory.
  void put(const std::string& name, const std::string& bytes) const;
  std::string get(const std::string& name) const;
  bool exists(const std::string& name) const;
  const std::string& directory() const { return work_; }

  // The program: aleta, or the mesh study aleta-malhas, whose Windows build is named by
  // ALETA_TEST_MALHAS_PROGRAM.
  enum class Program { Aleta, Malhas };

  // `launcher`, when given, is a command that runs the command line that follows it (the
  // program and its arguments), for runs in conditions a shell sets up.
  ChildResult run(const std::vector<std::string>& arguments = {}, const std::string& input = "",
                  const std::vector<std::string>& launcher = {},
                  Program program = Program::Aleta) const;

  // The program started in the background with `environment` entries added, for tests that act
  // on it while it runs.
  std::unique_ptr<StartedProgram> start(
      const std::vector<std::string>& arguments,
      const std::vector<std::pair<std::string, std::string>>& environment,
      Program program = Program::Malhas) const;

  // The arguments of each editor command, in order.
  std::vector<std::vector<std::string>> editor_calls() const;

 private:
  std::vector<std::string> command(const std::vector<std::string>& arguments,
                                   const std::vector<std::string>& launcher, Program program) const;
  std::vector<std::pair<std::string, std::string>> environment() const;

  TempDir root_;
  std::string work_;
  std::string bin_;
  std::string log_;
};

// Whether the programs run under AddressSanitizer, which reserves terabytes of address space and
// so cannot start under a limit on it.
bool under_address_sanitizer();

// "entradas_geral.ent" with one value per line and a comment after each, like a user's file.
std::string general_input(const std::string& saida, const std::vector<std::string>& values);

// The report without the digits of its last record (the processing time, which depends on the
// run), and that record's time field.
struct SplitReport {
  std::string without_time;
  std::string time_field;
};
SplitReport split_time(const std::string& report);

// `got` with each field that depends on sinh and cosh (the tip's analytical temperature and its
// error, the analytical heat rate and the two errors of the difference rates) replaced by that
// of `want` when the two agree within a few units in the last place of the quantity they come
// from. Only for the Windows program, whose C library's sinh and cosh may differ from this one's
// in the last bit; otherwise `got` unchanged. So a test compares the result with `want` byte for byte.
std::string accepting_library_differences(const std::string& got, const std::string& want);

}  // namespace testing_support
