#pragma once
// The arguments of the command line, kept for the opens that are given a blank file name.
#include <optional>
#include <string_view>

namespace process {

// Keeps the arguments after the program name; called once at start-up.
void keep_command_line(int argc, char** argv);

// The next argument not yet taken, in order; nothing when all have been taken.
std::optional<std::string_view> take_next_argument();

}  // namespace process
