// The command launcher on Windows: COMSPEC and its limit, the reasons of a failed start, the
// wait for the interpreter, and the report name reaching the editor as one argument.
#include <windows.h>

#include <string>

#include "platform/command_quoting.h"
#include "platform/exit.h"
#include "process/launcher.h"
#include "tests/support/temp_dir.h"
#include "tests/wine/check.h"
#include "tests/wine/child_run.h"
#include "tests/wine/child_scenario.h"

namespace {

std::int32_t run(const std::string& command) {
  return process::run_command(command.data(), static_cast<std::int32_t>(command.size()));
}

// Sets COMSPEC for the checks of one case; its value before is restored at the end of the case.
class Comspec {
 public:
  Comspec() {
    char value[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("COMSPEC", value, sizeof value);
    had_value_ = length > 0 && length < sizeof value;
    if (had_value_) saved_.assign(value, length);
  }
  ~Comspec() { SetEnvironmentVariableA("COMSPEC", had_value_ ? saved_.c_str() : nullptr); }
  void set(const std::string& value) { SetEnvironmentVariableA("COMSPEC", value.c_str()); }
  void remove() { SetEnvironmentVariableA("COMSPEC", nullptr); }

 private:
  bool had_value_ = false;
  std::string saved_;
};

// The directory of this program, where the stand-in notepad.exe is built.
std::string program_directory() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string full(path, length);
  return full.substr(0, full.find_last_of('\\'));
}

WINE_SCENARIO(slow_exit) {
  Sleep(300);
  platform::exit_process(42);
}
WINE_SCENARIO(negative_exit) { platform::exit_process(-2); }

WINE_CASE(ComspecOf260CharactersIsUsedOf261IsNot) {
  Comspec comspec;
  // The interpreter's name followed by blanks is still the interpreter.
  comspec.set("cmd.exe" + std::string(253, ' '));
  CHECK_EQ(run("exit 5"), 5);
  comspec.set("cmd.exe" + std::string(254, ' '));
  SetLastError(0);
  CHECK_EQ(run("exit 5"), -1);
  CHECK_EQ(GetLastError(), 2ul);
}

WINE_CASE(AbsentOrEmptyComspecMeansCmdExe) {
  Comspec comspec;
  comspec.remove();
  CHECK_EQ(run("exit 3"), 3);
  comspec.set("");
  CHECK_EQ(run("exit 4"), 4);
}

WINE_CASE(FailedStartGivesMinusOneAndTheReason) {
  testing_support::TempDir dir;
  Comspec comspec;
  comspec.set(dir.file("missing\\cmd.exe"));
  SetLastError(0);
  CHECK_EQ(run("exit 0"), -1);
  CHECK_EQ(GetLastError(), 2ul);

  testing_support::write_file(dir.file("garbage.exe"), std::string(64, '\x7f'));
  comspec.set(dir.file("garbage.exe"));
  SetLastError(0);
  CHECK_EQ(run("exit 0"), -1);
  CHECK_EQ(GetLastError(), 8ul);
}

WINE_CASE(WaitsForTheInterpreterAndReturnsItsExitCode) {
  const ULONGLONG before = GetTickCount64();
  CHECK_EQ(run(wine_checks::self_command("slow_exit")), 42);
  CHECK(GetTickCount64() - before >= 250);
  CHECK_EQ(run(wine_checks::self_command("negative_exit")), -2);
  CHECK_EQ(run("   exit 6" + std::string(2000, ' ')), 6);
}

WINE_CASE(ReportNameReachesTheEditorAsOneArgument) {
  testing_support::TempDir dir;
  const std::string log = dir.file("notepad.log");
  SetEnvironmentVariableA("NOTEPAD_LOG", log.c_str());
  // The stand-in notepad.exe comes first in the search of the interpreter.
  char path[32768];
  const DWORD length = GetEnvironmentVariableA("PATH", path, sizeof path);
  const std::string saved_path(path, length < sizeof path ? length : 0);
  SetEnvironmentVariableA("PATH", (program_directory() + ";" + saved_path).c_str());
  const std::string names[] = {"relatorio.txt",     "relat\xf3rio final.txt", "a&b (1);c.txt",
                               "100%.txt",          "50%PATH%x%OS%.txt",      "x^y!z.txt",
                               "  two leading.txt", "d\\e\\f.txt"};
  std::string expected;
  for (const std::string& name : names) {
    CHECK_EQ(run("notepad " + platform::quoted_command_argument(name)), 0);
    expected += name + '\0' + '\n';
  }
  CHECK_EQ(testing_support::read_file(log), expected);
  SetEnvironmentVariableA("NOTEPAD_LOG", nullptr);
  SetEnvironmentVariableA("PATH", saved_path.c_str());
}

}  // namespace
