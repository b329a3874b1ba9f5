#include "process/terminal.h"

#include "platform/console.h"

namespace process {

bool standard_error_is_terminal() { return platform::standard_error_is_terminal(); }

}  // namespace process
