#pragma once
// Numbers as text for the study's files.
#include <string>

#include "fin/real.h"

namespace malhas {

// 17 significant digits in scientific form: the text reads back to the same double.
std::string exact_text(double value);
// 36 significant digits: the text reads back to the same quadruple-precision value.
std::string exact_text(fin::Quad value);

// The fewest digits that read back to the same double, e.g. "0.024" or "2e-05": a value as it
// was given.
std::string shortest_text(double value);

// `digits` significant digits in scientific form, e.g. "1.235e-03" for digits = 4.
std::string scientific_text(double value, int digits);

// `decimals` digits after the point, e.g. "1.998" for decimals = 3.
std::string fixed_text(double value, int decimals);

// At most `digits` significant digits, in the shorter of the fixed and scientific forms, e.g.
// "0.3" or "1e-05".
std::string short_text(double value, int digits);

// A bound as people read it: "< " and two significant digits in scientific form, rounded up so
// that the text never claims less than the bound, e.g. "< 1.3e-24" for 1.2345e-24.
std::string below_bound_text(double bound);

}  // namespace malhas
