#include "platform/console.h"

#include <windows.h>

#include "platform/input_line.h"
#include "platform/win32/handle_io.h"

namespace platform {

// The bytes go out as they are: WriteFile on the raw handle has no text mode to add CRs.
// A failure of the standard streams themselves has nowhere left to be reported.
void write_standard_error(const char* bytes, std::size_t count) {
  (void)win32::write_fully(GetStdHandle(STD_ERROR_HANDLE), bytes, count);
}

void write_standard_output(const char* bytes, std::size_t count) {
  (void)win32::write_fully(GetStdHandle(STD_OUTPUT_HANDLE), bytes, count);
}

namespace {

// Only a console has a console mode: files, pipes and the null device do not.
bool is_console(HANDLE handle) {
  DWORD mode = 0;
  return GetConsoleMode(handle, &mode) != 0;
}

// A console shows the bytes of WriteFile in its own code page (850 or 1252 in Brazil, seldom
// UTF-8), so it is handed the characters instead.
bool write_text(DWORD stream, const char* utf8, std::size_t count) {
  const HANDLE handle = GetStdHandle(stream);
  const int length = static_cast<int>(count);
  const int wide = is_console(handle) && length > 0
                       ? MultiByteToWideChar(CP_UTF8, 0, utf8, length, nullptr, 0)
                       : 0;
  if (wide <= 0) return win32::write_fully(handle, utf8, count) == 0;
  std::wstring text(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, length, text.data(), wide);
  DWORD written = 0;
  return WriteConsoleW(handle, text.data(), static_cast<DWORD>(wide), &written, nullptr) != 0 &&
         written == static_cast<DWORD>(wide);
}

}  // namespace

bool write_standard_error_text(const char* utf8, std::size_t count) {
  return write_text(STD_ERROR_HANDLE, utf8, count);
}

bool write_standard_output_text(const char* utf8, std::size_t count) {
  return write_text(STD_OUTPUT_HANDLE, utf8, count);
}

bool standard_error_is_terminal() { return is_console(GetStdHandle(STD_ERROR_HANDLE)); }

// A closed pipe, a console's end of input and a missing handle all end the input alike.
bool read_standard_input_line(std::string& line, std::size_t max_bytes) {
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  return assemble_input_line(line, max_bytes, [input](char& byte) {
    DWORD got = 0;
    return ReadFile(input, &byte, 1, &got, nullptr) && got == 1;
  });
}

}  // namespace platform
