#include "platform/win32/device_paths.h"

#include <cctype>
#include <string_view>
#include <vector>

#include <windows.h>

namespace platform::win32 {
namespace {

bool equal_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

bool is_one_of(std::string_view word, std::initializer_list<std::string_view> names) {
  for (std::string_view name : names) {
    if (equal_ignoring_case(word, name)) return true;
  }
  return false;
}

// COM1 to COM9 and LPT1 to LPT9.
bool is_numbered_port(std::string_view word) {
  return word.size() == 4 && (equal_ignoring_case(word.substr(0, 3), "COM") ||
                              equal_ignoring_case(word.substr(0, 3), "LPT")) &&
         word[3] >= '1' && word[3] <= '9';
}

// Where the last component of the name begins: after the last separator or a drive.
std::size_t last_component_start(std::string_view name) {
  const std::size_t separator = name.find_last_of("\\/");
  if (separator != std::string_view::npos) return separator + 1;
  return name.size() >= 2 && name[1] == ':' ? 2 : 0;
}

// Whether Windows reads the component as a device: its part before the first period or colon,
// without trailing blanks, is a device name.
bool windows_takes_for_device(std::string_view component) {
  std::string_view word = component.substr(0, component.find_first_of(".:"));
  while (!word.empty() && word.back() == ' ') word.remove_suffix(1);
  return is_numbered_port(word) || is_one_of(word, {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"});
}

std::string full_directory(const std::string& directory) {
  const char* relative = directory.empty() ? "." : directory.c_str();
  const DWORD needed = GetFullPathNameA(relative, 0, nullptr, nullptr);
  if (needed == 0) return directory;
  std::vector<char> full(needed);
  const DWORD length = GetFullPathNameA(relative, needed, full.data(), nullptr);
  std::string result(full.data(), length < needed ? length : 0);
  if (!result.empty() && result.back() != '\\') result += '\\';
  return result;
}

}  // namespace

std::string native_path(const std::string& name) {
  const std::size_t start = last_component_start(name);
  const std::string_view component = std::string_view(name).substr(start);
  const bool device_opened_as_such =
      start == 0 && (is_one_of(component, {"NUL", "PRN", "COM1", "COM2", "COM3", "COM4"}) ||
                     is_one_of(component, {"LPT1", "LPT2", "LPT3", "LPT4"}));
  if (device_opened_as_such || !windows_takes_for_device(component)) return name;
  const std::string directory = full_directory(name.substr(0, start));
  // A network path \\server\share\... takes the form \\?\UNC\server\share\...
  if (directory.rfind("\\\\", 0) == 0) {
    return "\\\\?\\UNC\\" + directory.substr(2) + std::string(component);
  }
  return "\\\\?\\" + directory + std::string(component);
}

}  // namespace platform::win32
