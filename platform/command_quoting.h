#pragma once
// Quoting one argument for the command interpreter that runs the program's commands.
#include <string>
#include <string_view>

namespace platform {

// `argument` as the interpreter must see it to pass it on as exactly one argument, unchanged,
// whatever characters it holds.
std::string quoted_command_argument(std::string_view argument);

}  // namespace platform
