#include "platform/win32/handle_io.h"

#include <algorithm>

namespace platform::win32 {

DWORD write_fully(HANDLE handle, const char* bytes, std::size_t count) {
  while (count > 0) {
    // WriteFile takes a 32-bit count; larger writes go in pieces.
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(count, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(handle, bytes, piece, &written, nullptr)) return GetLastError();
    if (written == 0) return ERROR_DISK_FULL;
    bytes += written;
    count -= written;
  }
  return 0;
}

}  // namespace platform::win32
