#include "fin/quad_number.h"

#include <array>
#include <cctype>

namespace fin {

// 113 significant bits need 36 decimal digits to come back (⌈113·log10 2⌉ + 1).
std::string QuadNumber::text() const {
  std::array<char, 64> buffer{};
  const int length = quadmath_snprintf(buffer.data(), buffer.size(), "%.35Qe", value_);
  return std::string(buffer.data(), static_cast<std::size_t>(length));
}

std::optional<QuadNumber> QuadNumber::parse(std::string_view text) {
  const std::string terminated(text);
  // strtoflt128 would skip leading blanks and stop at a NUL: neither belongs to a number.
  if (terminated.empty() || std::isspace(static_cast<unsigned char>(terminated[0])) ||
      terminated.find('\0') != std::string::npos) {
    return std::nullopt;
  }
  char* end = nullptr;
  const Quad value = strtoflt128(terminated.c_str(), &end);
  if (end != terminated.c_str() + terminated.size()) return std::nullopt;
  return QuadNumber(value);
}

}  // namespace fin
