#pragma once
// UTF-8 text as Windows' wide characters and back.
#include <string>

namespace platform::win32 {

std::wstring wide_from_utf8(const std::string& utf8);
std::string utf8_from_wide(const wchar_t* wide);

}  // namespace platform::win32
