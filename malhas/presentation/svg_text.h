#pragma once
// Text in the charts: escaped for SVG, its width estimated for the layout, numbers as
// coordinates.
#include <string>
#include <string_view>
#include <vector>

namespace malhas {

// `text` with &, < and > as entities.
std::string escaped(std::string_view text);

// About the width of `text` (UTF-8) at `font_size` in the usual sans-serif of browsers and rsvg
// (DejaVu Sans, Liberation Sans, Arial): each character its typical advance, never much less.
double text_width(std::string_view text, double font_size);

// `text` cut at spaces into lines no wider than `width` (a word wider than that stands alone);
// a name in «» is not cut.
std::vector<std::string> wrapped(std::string_view text, double width, double font_size);

// Names as Portuguese lists them: "a", "a e b", "a, b e c".
std::string listed(const std::vector<std::string>& names);

// An SVG coordinate: two decimals, enough for a pixel's hundredth.
std::string coordinate(double v);

}  // namespace malhas
