#include "platform/process_guards.h"

#include <windows.h>

#include "platform/files.h"

namespace platform {
namespace {

// Missing (null), or a value that names no object of this process: a parent may pass a handle
// it did not let the child inherit, and a file opened later may then get that very value.
bool names_nothing(HANDLE handle) {
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return true;
  SetLastError(NO_ERROR);
  return GetFileType(handle) == FILE_TYPE_UNKNOWN && GetLastError() != NO_ERROR;
}

}  // namespace

// Each standard handle that names nothing is replaced by one on the null device, inherited by
// the editor's process like the others. Should the null device not open, the handle is left as
// it is: nothing else is safe to put there.
void install_process_guards() {
  for (const DWORD stream : {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
    if (!names_nothing(GetStdHandle(stream))) continue;
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const HANDLE null_device =
        CreateFileA(null_device_name(), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, OPEN_EXISTING, 0, nullptr);
    if (null_device != INVALID_HANDLE_VALUE) SetStdHandle(stream, null_device);
  }
}

}  // namespace platform
