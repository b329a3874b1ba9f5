#include "process/console.h"

#include "platform/console.h"

namespace process {

bool write_standard_output(std::string_view bytes) {
  return platform::write_standard_output_text(bytes.data(), bytes.size());
}

bool write_standard_error(std::string_view bytes) {
  return platform::write_standard_error_text(bytes.data(), bytes.size());
}

bool standard_error_is_terminal() { return platform::standard_error_is_terminal(); }

}  // namespace process
