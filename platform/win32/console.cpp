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

// Only a console has a console mode: files, pipes and the null device do not.
bool standard_error_is_terminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

// A closed pipe, a console's end of input and a missing handle all end the input alike.
bool read_standard_input_line(std::string& line, std::size_t max_bytes) {
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  return assemble_input_line(line, max_bytes, [input](char& byte) {
    DWORD got = 0;
    return ReadFile(input, &byte, 1, &got, nullptr) && got == 1;
  });
}

}  // namespace platform
