#pragma once
// Compile-time conversion of UTF-8 source text to the single-byte Windows-1252 (Latin-1) text the
// program writes, so that literals can be kept readable in the source.
#include <cstddef>
#include <string_view>

namespace textio {

template <std::size_t Capacity>
class Latin1Text {
 public:
  // Characters up to U+00FF only; anything else fails to compile when used in a constant.
  constexpr Latin1Text(const char (&utf8)[Capacity]) {  // NOLINT: implicit on purpose
    for (std::size_t i = 0; i + 1 < Capacity; ++i) {
      const auto lead = static_cast<unsigned char>(utf8[i]);
      if (lead < 0x80) {
        bytes_[size_++] = static_cast<char>(lead);
      } else if ((lead == 0xC2 || lead == 0xC3) && i + 2 < Capacity) {
        const auto trail = static_cast<unsigned char>(utf8[++i]);
        bytes_[size_++] = static_cast<char>(((lead & 0x03) << 6) | (trail & 0x3F));
      } else {
        throw "character outside Latin-1";
      }
    }
  }
  constexpr std::string_view view() const { return {bytes_, size_}; }

 private:
  char bytes_[Capacity]{};
  std::size_t size_ = 0;
};

}  // namespace textio
