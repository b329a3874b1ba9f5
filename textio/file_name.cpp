#include "textio/file_name.h"

#include <cstring>
#include <string_view>

#include "platform/console.h"
#include "process/command_line.h"
#include "process/run_time_error.h"

namespace textio {
namespace {

// The console answer may hold one byte more than a name, which the trimming then drops.
constexpr std::size_t kLongestAnswer = 260;

std::string answer_from_console(int unit) {
  const std::string prompt = "File name missing or blank - please enter file name\r\nUNIT " +
                             std::to_string(unit) + "? ";
  platform::write_standard_output(prompt.data(), prompt.size());
  std::string answer;
  if (!platform::read_standard_input_line(answer, kLongestAnswer)) {
    process::raise_run_time_error(process::kEndOfFile, process::Operation::Open, "");
  }
  return answer;
}

}  // namespace

std::string trimmed_file_name(const char* bytes, std::size_t length) {
  std::size_t end = length < kLongestFileName ? length : kLongestFileName;
  const void* nul = end > 0 ? std::memchr(bytes, '\0', end) : nullptr;
  if (nul != nullptr) {
    end = static_cast<std::size_t>(static_cast<const char*>(nul) - bytes);
  }
  std::size_t begin = 0;
  while (begin < end && bytes[begin] == ' ') ++begin;
  while (end > begin && bytes[end - 1] == ' ') --end;
  return std::string(bytes + begin, end - begin);
}

std::string name_for_blank_open(int unit) {
  std::string name;
  while (name.empty()) {
    const auto argument = process::take_next_argument();
    const std::string text = argument ? std::string(*argument) : answer_from_console(unit);
    name = trimmed_file_name(text.data(), text.size());
  }
  return name;
}

}  // namespace textio
