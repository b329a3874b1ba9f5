#include "platform/command_quoting.h"

namespace platform {

// Between single quotes /bin/sh takes every character literally; a single quote itself is
// written as '\'' (close the quotes, an escaped quote, open them again).
std::string quoted_command_argument(std::string_view argument) {
  std::string quoted = "'";
  for (char ch : argument) {
    if (ch == '\'') {
      quoted += "'\\''";
    } else {
      quoted += ch;
    }
  }
  quoted += '\'';
  return quoted;
}

}  // namespace platform
