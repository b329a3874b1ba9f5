#pragma once
// Reads back what a chart of malhas/presentation/svg_chart.cpp draws: per panel, each series'
// points in data coordinates, recovered through the axes' tick labels (and the offset the axis
// title names), its markers, the shaded bands, and the boxes the texts take at their font sizes.
#include <string>
#include <vector>

namespace malhas {

struct DrawnPoint {
  double x = 0, y = 0;    // read through the axes; a point held at an edge reads as the edge
  double px = 0, py = 0;  // the line's vertex, in the page's pixels
  bool marked = false;    // has a marker of any kind
  bool at_edge = false;   // its marker is a triangle on the plot's edge
  bool hollow = false;    // its marker is an outline
  bool ringed = false;    // a ring around it: a mesh the tables mark
  double marker_x = 0, marker_y = 0;  // the marker's centre, in the page's pixels
  std::string shape;      // the marker's element and outline, e.g. "circle" or "path M-3 -3h6v6h-6z"
};

struct DrawnSeries {
  std::string name;
  std::string colour;  // its line's stroke
  std::vector<DrawnPoint> points;
};

// An axis from its labelled ticks: pixel to value and back, through powers of ten when it is
// logarithmic.
struct DrawnAxis {
  bool logarithmic = false;
  double offset = 0;  // the value the labels count from, named in the axis title
  std::vector<std::pair<double, double>> ticks;  // pixel and value of each labelled tick
  double value(double pixel) const;
  double pixel(double value) const;
};

// A box a text takes, in the page's pixels, from its anchor and font size.
struct TextBox {
  double left = 0, top = 0, right = 0, bottom = 0;
  std::string text;
};

struct DrawnPanel {
  std::string title, x_title, y_title;
  double left = 0, top = 0, right = 0, bottom = 0;  // the plot, in the page's pixels
  DrawnAxis x, y;
  std::vector<DrawnSeries> series;  // in drawing order
  struct Band {
    std::string name;
    std::vector<std::pair<double, double>> outline;  // pixels
    // The band's highest pixel row (least y) over column px, or none when it does not reach it.
    bool top_at(double px, double& py) const;
  };
  std::vector<Band> bands;
  std::vector<TextBox> tick_labels, end_labels;

  const DrawnSeries& at(const std::string& name) const;  // throws when none is so named
};

struct DrawnChart {
  double width = 0, height = 0;
  std::string title;
  std::vector<DrawnPanel> panels;
  std::vector<std::string> legend, notes;
  std::vector<TextBox> texts;  // every text, titles and notes included

  const DrawnPanel& panel(const std::string& title) const;  // throws when none is so titled
};

DrawnChart read_chart(const std::string& svg);

}  // namespace malhas
