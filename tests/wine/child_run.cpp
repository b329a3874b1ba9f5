#include "tests/wine/child_run.h"

#include <windows.h>

namespace wine_checks {
namespace {

struct Pipe {
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  // The child's end is inheritable, ours is not.
  explicit Pipe(bool child_reads) {
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    CreatePipe(&read_end, &write_end, &inheritable, 0);
    SetHandleInformation(child_reads ? write_end : read_end, HANDLE_FLAG_INHERIT, 0);
  }
};

std::string read_all(HANDLE handle) {
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(handle, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  return bytes;
}

struct Drain {
  HANDLE handle;
  std::string bytes;
};

DWORD WINAPI drain(void* argument) {
  auto* d = static_cast<Drain*>(argument);
  d->bytes = read_all(d->handle);
  return 0;
}

}  // namespace

ChildResult run_child(const std::string& command_line, const std::string& input,
                      const std::string& directory) {
  Pipe in(true), out(false), err(false);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in.read_end;
  startup.hStdOutput = out.write_end;
  startup.hStdError = err.write_end;
  PROCESS_INFORMATION child{};
  std::string line = command_line;
  ChildResult result;
  const BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      directory.empty() ? nullptr : directory.c_str(), &startup,
                                      &child);
  CloseHandle(in.read_end);
  CloseHandle(out.write_end);
  CloseHandle(err.write_end);
  if (!started) {
    CloseHandle(in.write_end);
    CloseHandle(out.read_end);
    CloseHandle(err.read_end);
    return result;
  }
  DWORD written = 0;
  WriteFile(in.write_end, input.data(), static_cast<DWORD>(input.size()), &written, nullptr);
  CloseHandle(in.write_end);
  // Both outputs are drained at once, so that neither pipe can fill up and stop the child.
  Drain error_drain{err.read_end, {}};
  const HANDLE error_reader = CreateThread(nullptr, 0, drain, &error_drain, 0, nullptr);
  result.out = read_all(out.read_end);
  WaitForSingleObject(error_reader, INFINITE);
  CloseHandle(error_reader);
  result.err = error_drain.bytes;
  WaitForSingleObject(child.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(child.hProcess, &code);
  result.exit_code = code;
  CloseHandle(child.hProcess);
  CloseHandle(child.hThread);
  CloseHandle(out.read_end);
  CloseHandle(err.read_end);
  return result;
}

std::string self_command(const std::string& scenario) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return "\"" + std::string(path, length) + "\" --child " + scenario;
}

}  // namespace wine_checks
