#include "aleta/editor.h"

#include <cstdint>
#include <string>

#include "platform/command_quoting.h"
#include "process/launcher.h"

namespace aleta {

void open_in_editor(std::string_view file) {
  const std::string command = "notepad " + platform::quoted_command_argument(file);
  process::run_command(command.data(), static_cast<std::int32_t>(command.size()));
}

}  // namespace aleta
