#pragma once
// A small writer of line charts as plain SVG: axes with ticks and titles, one polyline per
// series, and a legend. Logarithmic axes put their ticks at the powers of ten.
#include <string>
#include <utility>
#include <vector>

namespace malhas {

struct ChartAxis {
  std::string title;  // with its unit, e.g. "dx [m]"
  bool logarithmic = false;
};

struct ChartSeries {
  std::string name;
  std::vector<std::pair<double, double>> points;  // (x, y); those an axis cannot show are left out
  std::string colour;        // an SVG colour, e.g. "#1f77b4"
  bool dashed = false;
  bool markers = true;       // a dot at every point
};

struct Chart {
  std::string title;
  ChartAxis x, y;
  std::vector<ChartSeries> series;
};

// The whole SVG document, UTF-8.
std::string svg_chart(const Chart& chart);

}  // namespace malhas
