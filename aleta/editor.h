#pragma once
// The user's editor, in which aleta shows each input file before reading it and the report once
// written.
#include <string_view>

namespace aleta {

// Runs "notepad" on `file` through the command interpreter and waits for it, so that the user
// can check or change it. Whether the editor ran is not examined: the run goes on regardless.
void open_in_editor(std::string_view file);

}  // namespace aleta
