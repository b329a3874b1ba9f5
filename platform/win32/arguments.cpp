#include "platform/arguments.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/wide_text.h"

namespace platform {

std::vector<std::string> utf8_arguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return {argv, argv + argc};
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(win32::utf8_from_wide(wide[i]));
  LocalFree(wide);
  return arguments;
}

}  // namespace platform
