#pragma once
// Columns of the study's text tables.
#include <string>

namespace malhas {

// `text` right-justified in `width` columns (longer text is kept whole).
inline std::string column(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

}  // namespace malhas
