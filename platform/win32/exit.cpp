#include "platform/exit.h"

#include <windows.h>

namespace platform {

void exit_process(int code) { ExitProcess(static_cast<UINT>(code)); }

}  // namespace platform
