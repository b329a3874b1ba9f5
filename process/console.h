#pragma once
// A program's standard streams, for UTF-8 text: the same bytes, with LF line ends, on every
// platform (no text mode adds CRs), unbuffered; a Windows console is handed the characters.
#include <string_view>

namespace process {

// False when the stream did not take every byte (a full device, a closed pipe).
bool write_standard_output(std::string_view bytes);
bool write_standard_error(std::string_view bytes);

// Whether the standard error stream is a terminal, so that progress shown there is seen; when
// it is a file or a pipe, a program should write nothing there but its errors.
bool standard_error_is_terminal();

}  // namespace process
