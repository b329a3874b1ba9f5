#pragma once
// A quadruple-precision value as text: 36 significant digits in scientific notation, enough for
// any quadruple value to read back to itself, so that a value can leave a program (for a table,
// a file or an independent check) and come back without loss.
#include <optional>
#include <string>
#include <string_view>

#include "fin/real.h"

namespace fin {

class QuadNumber {
 public:
  explicit QuadNumber(Quad value) : value_(value) {}
  Quad value() const { return value_; }

  // "-1.23456789012345678901234567890123456e+00": one digit, the point, 35 digits, the exponent.
  std::string text() const;

  // The value of a decimal text (as text() writes it, or any other decimal or "inf"/"nan"),
  // correctly rounded; none when the text is not wholly a number.
  static std::optional<QuadNumber> parse(std::string_view text);

 private:
  Quad value_;
};

}  // namespace fin
