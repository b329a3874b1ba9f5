#pragma once
// Writing through Windows handles until every byte is taken.
#include <cstddef>

#include <windows.h>

namespace platform::win32 {

// Writes all `count` bytes; returns 0, or the system error of the failure (ERROR_DISK_FULL when
// the system takes no more bytes without saying why).
DWORD write_fully(HANDLE handle, const char* bytes, std::size_t count);

}  // namespace platform::win32
