#include "platform/command_interpreter.h"

#include <string>

#include <windows.h>

namespace platform {
namespace {

constexpr DWORD kLongestInterpreter = 260;
constexpr int kNotFound = 2;
constexpr int kNotRunnable = 8;
constexpr int kOtherStartFailure = 12;

int start_failure_reason(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return kNotFound;
    case ERROR_BAD_FORMAT:
    case ERROR_BAD_EXE_FORMAT: return kNotRunnable;
    default: return kOtherStartFailure;
  }
}

// The interpreter named by COMSPEC, "cmd.exe" when it is absent or empty; false when the value
// is longer than 260 characters.
bool interpreter(std::string& name) {
  char value[kLongestInterpreter + 1];
  const DWORD length = GetEnvironmentVariableA("COMSPEC", value, sizeof value);
  if (length > kLongestInterpreter) return false;  // the size the value would need
  name = length == 0 ? std::string("cmd.exe") : std::string(value, length);
  return true;
}

}  // namespace

// The line is the interpreter, " /c " and the command unchanged; the program is found by the
// system's search for the first word of the line. The interpreter inherits the standard
// handles and shares the console.
std::int32_t run_in_command_interpreter(std::string_view command) {
  std::string line;
  if (!interpreter(line)) {
    set_last_error(kNotFound);
    return -1;
  }
  line += " /c ";
  line += command;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &started)) {
    set_last_error(start_failure_reason(GetLastError()));
    return -1;
  }
  CloseHandle(started.hThread);
  WaitForSingleObject(started.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(started.hProcess, &code);
  CloseHandle(started.hProcess);
  return static_cast<std::int32_t>(code);
}

void set_last_error(int reason) { SetLastError(static_cast<DWORD>(reason)); }

}  // namespace platform
