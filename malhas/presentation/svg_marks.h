#pragma once
// The marks a series is drawn with, as SVG elements: its line's stroke, its markers, the ring
// around a marked point and the triangle of a point held at an axis's edge. Each marker is drawn
// about (0, 0) and placed by a translate, so that its point is the translate's.
#include <string>

#include "malhas/presentation/chart.h"

namespace malhas {

// The stroke attributes of the series' line; "stroke=\"none\"" when it has none.
std::string stroke_style(const SeriesStyle& style);

// The series' marker at (x, y); empty when it has none.
std::string marker_element(const SeriesStyle& style, double x, double y);

// A ring around a marked point at (x, y).
std::string ring_element(const SeriesStyle& style, double x, double y);

// A triangle about (x, y) pointing off the plot: up for `edge` > 0 (a point above the axis's
// top), its tip kEdgeInset above (x, y); down otherwise.
constexpr double kEdgeInset = 5;
std::string edge_element(const SeriesStyle& style, double x, double y, int edge);

}  // namespace malhas
