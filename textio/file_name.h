#pragma once
// The file name of an open: trimmed as given, or obtained when it is blank.
#include <cstddef>
#include <string>

namespace textio {

constexpr std::size_t kLongestFileName = 259;

// At most 259 of the `length` bytes, up to a NUL, without the blanks (0x20) around them.
std::string trimmed_file_name(const char* bytes, std::size_t length);

// A name for an open of `unit` that was given a blank one: the next command-line argument not
// yet used, or else the answer to a prompt on the console, asked again while it is blank. The
// end of standard input is run-time error 6501.
std::string name_for_blank_open(int unit);

}  // namespace textio
