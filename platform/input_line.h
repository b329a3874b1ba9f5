#pragma once
// One line of the standard input, assembled byte by byte the same way on every platform.
#include <cstddef>
#include <string>

namespace platform {

// Takes bytes from `read_byte` (a callable that stores one byte and returns false at the end of
// the input) through the next LF, and keeps the first `max_bytes` of the line in `line`, without
// the LF and a CR just before it. Byte by byte, so that nothing after the LF is taken. False at
// the end of the input when not a single byte came.
template <typename ReadByte>
bool assemble_input_line(std::string& line, std::size_t max_bytes, ReadByte read_byte) {
  line.clear();
  std::size_t total = 0;  // bytes of the line, including those past max_bytes
  bool ended_by_lf = false;
  char byte = 0;
  while (!ended_by_lf && read_byte(byte)) {
    if (byte == '\n') {
      ended_by_lf = true;
      // One byte is kept beyond the limit so that a CR just before the LF can still be seen.
      if (total == line.size() && !line.empty() && line.back() == '\r') line.pop_back();
    } else {
      if (line.size() <= max_bytes) line.push_back(byte);
      ++total;
    }
  }
  if (line.size() > max_bytes) line.resize(max_bytes);
  return ended_by_lf || total > 0;
}

}  // namespace platform
