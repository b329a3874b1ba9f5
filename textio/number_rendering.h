#pragma once
// The fields of the writer's data descriptors. Each function replaces the contents of `field`
// with exactly `width` characters: the text right-justified with blanks, or `width` asterisks
// when the text is longer than the field.
#include <cstdint>
#include <string>

namespace textio {

// Ew.d under scale factor `scale`: with scale 1 one digit before the point and `decimals` after
// it; then "E+dd" for exponents up to 99 in size, or a sign and three digits up to 999.
void render_exponent_field(double value, int width, int decimals, int scale, std::string& field);

// Fw.d under scale factor `scale` (the value times 10 to that power), with no "0" before the
// point and no "-" on a value that rounds to zero.
void render_fixed_field(double value, int width, int decimals, int scale, std::string& field);

// Iw: the decimal digits, "-" for a negative value.
void render_integer_field(std::int32_t value, int width, std::string& field);

// A field that no text fits: `width` asterisks.
void render_overflow_field(int width, std::string& field);

}  // namespace textio
