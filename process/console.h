#pragma once
// A program's standard streams, for UTF-8 text: the same bytes, with LF line ends, on every
// platform (no text mode adds CRs), unbuffered; a Windows console is handed the characters.
#include <string_view>

namespace process {

void write_standard_output(std::string_view bytes);
void write_standard_error(std::string_view bytes);

// Whether the standard error stream is a terminal, so that progress shown there is seen; when
// it is a file or a pipe, a program should write nothing there but its errors.
bool standard_error_is_terminal();

}  // namespace process
