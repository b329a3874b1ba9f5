#include "malhas/presentation/svg_text.h"

#include <cstdint>

#include "malhas/presentation/number_text.h"

namespace malhas {
namespace {

// The advance of one character in em, at least DejaVu Sans's (the widest of the usual sans-serif
// fonts): narrow punctuation and i, j, l, t, f at most 0.4; digits and most lower-case letters
// 0.64; capitals 0.8; the mathematical signs 0.84; m, w, M, W and % a whole em; any other
// character 0.7.
double advance(std::uint32_t c) {
  if (c == 'm' || c == 'w' || c == 'M' || c == 'W' || c == '%' || c == '@') return 1;
  if (c == '=' || c == '+' || c == '<' || c == '>' || c == '#' || c == '^' || c == 0xD7 || c == 0x2212) {
    return 0.84;
  }
  if (c >= 'A' && c <= 'Z') return 0.8;
  if (c >= 0x80) return c == 0xB7 || c == 0xB2 || c == 0xB3 ? 0.4 : 0.7;  // · ² ³ are narrow
  if (std::string_view(" .,:;!|'()[]/ijlft-").find(static_cast<char>(c)) != std::string_view::npos) {
    return 0.4;
  }
  return 0.64;
}

}  // namespace

std::string escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '&') out += "&amp;";
    else if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else out += c;
  }
  return out;
}

double text_width(std::string_view text, double font_size) {
  double em = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    std::uint32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
      c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    em += advance(c);
    i += length;
  }
  return em * font_size;
}

// The next space at or after `at` that is not inside «...» (a quoted name stays on one line), or
// the end of the text.
std::size_t next_break(std::string_view text, std::size_t at) {
  bool quoted = false;
  for (std::size_t i = at; i < text.size(); ++i) {
    if (text.compare(i, 2, "\xC2\xAB") == 0) quoted = true;
    if (text.compare(i, 2, "\xC2\xBB") == 0) quoted = false;
    if (text[i] == ' ' && !quoted) return i;
  }
  return text.size();
}

std::vector<std::string> wrapped(std::string_view text, double width, double font_size) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t at = 0; at <= text.size();) {
    const std::size_t end = next_break(text, at);
    const std::string_view word = text.substr(at, end - at);
    const std::string longer = line.empty() ? std::string(word) : line + " " + std::string(word);
    if (!line.empty() && text_width(longer, font_size) > width) {
      lines.push_back(line);
      line = std::string(word);
    } else {
      line = longer;
    }
    at = end + 1;
  }
  if (!line.empty() || lines.empty()) lines.push_back(line);
  return lines;
}

std::string listed(const std::vector<std::string>& names) {
  std::string list;
  for (std::size_t i = 0; i < names.size(); ++i) {
    list += (i == 0 ? "" : i + 1 == names.size() ? " e " : ", ") + names[i];
  }
  return list;
}

std::string coordinate(double v) { return fixed_text(v, 2); }

}  // namespace malhas
