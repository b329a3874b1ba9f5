#include "platform/win32/wide_text.h"

#include <windows.h>

namespace platform::win32 {

std::wstring wide_from_utf8(const std::string& utf8) {
  const int length = static_cast<int>(utf8.size());
  const int wide = length > 0 ? MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0) : 0;
  std::wstring text(static_cast<std::size_t>(wide > 0 ? wide : 0), L'\0');
  if (wide > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, text.data(), wide);
  return text;
}

std::string utf8_from_wide(const wchar_t* wide) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 1) return {};
  std::string text(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), bytes, nullptr, nullptr);
  text.pop_back();  // the terminating NUL
  return text;
}

}  // namespace platform::win32
