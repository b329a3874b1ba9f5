#include "aleta/editor.h"

#include "process/launcher.h"

namespace aleta {

void open_in_editor(std::string_view file) { process::run_program_on("notepad", file); }

}  // namespace aleta
