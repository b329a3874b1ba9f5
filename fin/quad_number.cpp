#include "fin/quad_number.h"

#include <cctype>

namespace fin {

std::string QuadNumber::text() const { return RealTraits<Quad>::text(value_); }

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
