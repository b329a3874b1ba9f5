#include "process/launcher.h"

#include <string>
#include <string_view>

#include "platform/command_interpreter.h"
#include "platform/command_quoting.h"

namespace process {
namespace {

constexpr std::int32_t kLongestCommand = 1024;
constexpr int kCommandTooLong = 7;

}  // namespace

std::int32_t run_command(const char* command, std::int32_t length) {
  std::int32_t n = length;
  while (n > 0 && command[n - 1] == ' ') --n;
  if (n > kLongestCommand) {
    platform::set_last_error(kCommandTooLong);
    return -1;
  }
  return platform::run_in_command_interpreter(std::string_view(command, n > 0 ? n : 0));
}

std::int32_t run_program_on(std::string_view program, std::string_view file) {
  const std::string command = std::string(program) + " " + platform::quoted_command_argument(file);
  return run_command(command.data(), static_cast<std::int32_t>(command.size()));
}

}  // namespace process
