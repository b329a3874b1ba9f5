#include "platform/exit.h"

#include <unistd.h>

namespace platform {

void exit_process(int code) { ::_exit(code); }

}  // namespace platform
