#include "platform/command_quoting.h"

namespace platform {

// cmd.exe takes everything between double quotes as one word, blanks and & | < > ( ) ^
// included, and the program it starts reads it back as one argument without the quotes. A
// Windows file name cannot hold a double quote itself.
//
// Only %NAME% is still expanded inside quotes. Each % is therefore written outside them
// ("a%b" becomes "a"%"b"): the expansion sees a variable name that begins with a double quote,
// which no variable has, and leaves the text alone; the program then joins the quoted pieces
// and the bare % into one argument, as no blank separates them.
std::string quoted_command_argument(std::string_view argument) {
  std::string quoted = "\"";
  for (char ch : argument) {
    if (ch == '%') {
      quoted += "\"%\"";
    } else {
      quoted += ch;
    }
  }
  quoted += '"';
  return quoted;
}

}  // namespace platform
