#pragma once
// Columns of the study's text tables.
#include <string>

namespace malhas {

// The characters of UTF-8 text: its bytes but the continuation bytes (10xxxxxx), so that "ê"
// takes one column, as it does once the file is converted to Windows-1252.
inline std::size_t characters(const std::string& text) {
  std::size_t count = 0;
  for (char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

// `text` right-justified in `width` columns (longer text is kept whole).
inline std::string column(const std::string& text, std::size_t width) {
  const std::size_t size = characters(text);
  return size >= width ? text : std::string(width - size, ' ') + text;
}

// `text` left-justified in `width` columns.
inline std::string left_column(const std::string& text, std::size_t width) {
  const std::size_t size = characters(text);
  return size >= width ? text : text + std::string(width - size, ' ');
}

}  // namespace malhas
