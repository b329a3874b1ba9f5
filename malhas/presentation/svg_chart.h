#pragma once
// A small writer of line charts as plain SVG: axes with ticks and titles, one polyline per
// series, and a legend. Logarithmic axes put their ticks at the powers of ten. The page grows to
// hold the whole legend; an axis may be held to a range, its points beyond drawn at the edge.
#include <string>
#include <vector>

namespace malhas {

struct ChartAxis {
  std::string title;  // with its unit, e.g. "dx [m]"
  bool logarithmic = false;
  // When held (linear axes only), the axis shows [low, high] and points beyond are drawn on its
  // edge as triangles, counted in a note.
  bool held = false;
  double low = 0, high = 0;
};

struct ChartPoint {
  double x = 0, y = 0;
  bool open = false;  // a marked mesh: drawn as a ring instead of a dot
};

enum class LineStyle { Solid, Dashed, Dotted };

struct ChartSeries {
  std::string name;
  std::vector<ChartPoint> points;  // those an axis cannot show are left out
  std::string colour;              // an SVG colour, e.g. "#1f77b4"
  LineStyle line = LineStyle::Solid;
  bool markers = true;             // a dot (or ring) at every point
};

struct Chart {
  std::string title;
  ChartAxis x, y;
  std::vector<ChartSeries> series;
  std::vector<std::string> notes;  // lines below the legend
};

// The whole SVG document, UTF-8. Each series is a group whose <title> is its name.
std::string svg_chart(const Chart& chart);

}  // namespace malhas
