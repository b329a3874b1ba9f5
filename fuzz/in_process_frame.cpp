#include "fuzz/in_process_frame.h"

#include "platform/console.h"
#include "platform/exit.h"

namespace fuzz {
namespace {

std::string standard_error;

}  // namespace

std::string take_standard_error() {
  std::string taken;
  taken.swap(standard_error);
  return taken;
}

}  // namespace fuzz

namespace platform {

void exit_process(int code) { throw fuzz::ProcessEnded{code}; }

void write_standard_error(const char* bytes, std::size_t count) {
  fuzz::standard_error.append(bytes, count);
}

void write_standard_output(const char*, std::size_t) {}

// Standard input is empty: a prompt for a file name meets its end at once.
bool read_standard_input_line(std::string& line, std::size_t) {
  line.clear();
  return false;
}

}  // namespace platform
