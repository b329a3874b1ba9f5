#include "fin/real.h"

#include <array>
#include <charconv>

namespace fin {

std::string RealTraits<double>::text(double x) {
  std::array<char, 32> buffer{};  // "-d.dddddddddddddddde-308" and room to spare
  char* const first = buffer.data();
  const auto end =
      std::to_chars(first, first + buffer.size(), x, std::chars_format::scientific, 16).ptr;
  return std::string(first, end);
}

std::string RealTraits<Quad>::text(Quad x) {
  std::array<char, 64> buffer{};
  const int length = quadmath_snprintf(buffer.data(), buffer.size(), "%.35Qe", x);
  return std::string(buffer.data(), static_cast<std::size_t>(length));
}

}  // namespace fin
