#include "process/command_line.h"

namespace process {
namespace {

// The argument list lives as long as the process, so pointers into it are enough.
char** arguments = nullptr;
int argument_count = 0;
int next_argument = 1;  // the first argument after the program name

}  // namespace

void keep_command_line(int argc, char** argv) {
  arguments = argv;
  argument_count = argc;
  next_argument = 1;
}

std::optional<std::string_view> take_next_argument() {
  if (next_argument >= argument_count) return std::nullopt;
  return std::string_view(arguments[next_argument++]);
}

}  // namespace process
