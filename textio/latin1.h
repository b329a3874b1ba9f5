#pragma once
// Conversion of UTF-8 text to the single-byte Windows-1252 (Latin-1) text the programs write:
// at compile time for literals, so that they can be kept readable in the source, and at run time
// for text assembled from such pieces.
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace textio {

// Text that has a character beyond U+00FF, or is not UTF-8 where such a character would begin.
class NotLatin1 : public std::invalid_argument {
 public:
  NotLatin1() : std::invalid_argument("character outside Latin-1") {}
};

// Decodes the UTF-8 character at utf8[i] (characters up to U+00FF only), advancing i past it.
constexpr char next_latin1_byte(std::string_view utf8, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(utf8[i++]);
  if (lead < 0x80) return static_cast<char>(lead);
  if ((lead == 0xC2 || lead == 0xC3) && i < utf8.size()) {
    const auto trail = static_cast<unsigned char>(utf8[i++]);
    return static_cast<char>(((lead & 0x03) << 6) | (trail & 0x3F));
  }
  throw NotLatin1();
}

template <std::size_t Capacity>
class Latin1Text {
 public:
  // Anything outside Latin-1 fails to compile when used in a constant.
  constexpr Latin1Text(const char (&utf8)[Capacity]) {  // NOLINT: implicit on purpose
    const std::string_view text(utf8, Capacity - 1);
    for (std::size_t i = 0; i < text.size();) bytes_[size_++] = next_latin1_byte(text, i);
  }
  constexpr std::string_view view() const { return {bytes_, size_}; }

 private:
  char bytes_[Capacity]{};
  std::size_t size_ = 0;
};

// The same conversion at run time; throws NotLatin1 for text beyond Latin-1.
inline std::string to_latin1(std::string_view utf8) {
  std::string bytes;
  bytes.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) bytes += next_latin1_byte(utf8, i);
  return bytes;
}

}  // namespace textio
