#pragma once
// The program's command-line arguments as UTF-8 text.
#include <string>
#include <vector>

namespace platform {

// The arguments, the program name first. On Windows they are read again from the wide command
// line: the ANSI one that main receives maps every character outside the code page onto another
// ("ŝ" onto "s"), or onto "?", so a name typed in any script would reach another file or none.
// Elsewhere they are argv as it is.
std::vector<std::string> utf8_arguments(int argc, char** argv);

}  // namespace platform
