#pragma once
// File names that Windows would take for devices.
#include <string>

namespace platform::win32 {

// The name to hand to the system for `name`. Windows takes a last path component such as
// "lpt1.txt", "com7" or "sub\con.txt" for a device, whatever its extension or directory; the
// program's own rules make such names ordinary files, so they are given in the "\\?\" form of
// their full path, which the system takes literally. The bare device names that the unit
// layer opens as devices (NUL, PRN, COM1 to COM4, LPT1 to LPT4), and every name Windows does
// not take for a device, are returned unchanged.
std::string native_path(const std::string& name);

}  // namespace platform::win32
