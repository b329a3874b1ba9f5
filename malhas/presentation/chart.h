#pragma once
// What a chart shows, before it is drawn: panels side by side in a grid, each with its own axes,
// shaded bands and series, under one title, with one legend and notes below them all.
#include <cstddef>
#include <string>
#include <vector>

namespace malhas {

struct ChartAxis {
  std::string title;  // e.g. "dx"
  std::string unit;   // e.g. "m"; empty for a pure number
  bool logarithmic = false;
  // When held, the axis shows [low, high] and points beyond are drawn on its edge as triangles,
  // counted in a note.
  bool held = false;
  double low = 0, high = 0;
};

enum class LineStyle { Solid, Dashed, Dotted, None };
enum class MarkerShape { None, Circle, Square, Diamond, Cross, Plus };

struct SeriesStyle {
  std::string colour;  // an SVG colour, e.g. "#1f77b4"
  LineStyle line = LineStyle::Solid;
  MarkerShape marker = MarkerShape::Circle;
  // Outline only and a little larger, so that a filled marker drawn earlier at the same place
  // shows through it.
  bool hollow = false;
};

struct ChartPoint {
  double x = 0, y = 0;
  bool marked = false;  // a mesh the tables mark: a ring around its marker
};

struct ChartSeries {
  std::string name;                // its legend entry and the group's <title>
  std::vector<ChartPoint> points;  // those an axis cannot show are left out
  SeriesStyle style;
  // When not empty, the series is named by this label at the right of the panel, level with its
  // rightmost point, instead of in the legend (for many series in a colour ramp).
  std::string end_label;
};

// A shaded area between two lines given by their points, x ascending. Without a lower line it
// reaches down to the bottom of the plot and leaves the axis as the series fit it (a floor the
// data stand on); with one it is fitted like the series.
struct ChartBand {
  std::string name;
  std::string colour;
  std::vector<ChartPoint> upper, lower;
};

struct ChartPanel {
  std::string title;
  ChartAxis x, y;
  std::vector<ChartBand> bands;     // drawn first, under the series
  std::vector<ChartSeries> series;  // drawn in order, the last on top
};

struct Chart {
  std::string title;
  std::size_t columns = 1;
  std::vector<ChartPanel> panels;  // row by row
  std::vector<std::string> notes;  // lines below the legend
};

}  // namespace malhas
