#pragma once
// What a program may ask about where its messages go.

namespace process {

// Whether the standard error stream is a terminal, so that progress shown there is seen; when
// it is a file or a pipe, a program should write nothing there but its errors.
bool standard_error_is_terminal();

}  // namespace process
