#pragma once
// Reads back what a chart of malhas/svg_chart.cpp draws: each series' points in data coordinates,
// recovered through the axes' tick labels, so that a test can hold them against the data.
#include <map>
#include <string>
#include <vector>

namespace malhas {

struct DrawnPoint {
  double x = 0, y = 0;
  bool open = false;     // drawn as a ring
  bool at_edge = false;  // drawn as a triangle on the plot's edge
  bool marked = false;   // has a marker at all
};

struct DrawnChart {
  double width = 0, height = 0;
  std::map<std::string, std::vector<DrawnPoint>> series;  // by the group's <title>
  // Every text's anchor position and content (tspans and entities left as written).
  struct Text {
    double x, y;
    std::string anchor, body;
  };
  std::vector<Text> texts;
};

DrawnChart read_chart(const std::string& svg);

}  // namespace malhas
