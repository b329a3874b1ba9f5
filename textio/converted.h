#pragma once
// The result of converting the text of one value: the value, or the run-time error number that
// says why the text is not one.

namespace textio {

template <typename T>
struct Converted {
  T value{};
  int error = 0;  // 0 when the text was a valid value
};

}  // namespace textio
