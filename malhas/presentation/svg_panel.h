#pragma once
// One panel of a chart drawn in SVG, in its own frame: the title above, the plot with its axes,
// its bands and series, and the labels of end-labelled series in a column right of the plot.
#include <string>
#include <vector>

#include "malhas/presentation/chart.h"
#include "malhas/presentation/chart_scale.h"

namespace malhas {

// The panel's rows, top down: the title, the plot, the x ticks and title.
constexpr double kPanelTop = 34, kPlotHeight = 200, kPanelBottom = 50;

// What the panel needs before its width is known: its y axis and the margins beside its plot.
struct PanelPlan {
  Scale y;
  double left = 0;   // the y title and tick labels
  double right = 0;  // half an x label, or the column of end labels
};

PanelPlan plan_panel(const ChartPanel& panel);

struct PanelDrawing {
  std::string svg;  // the panel's elements, its plot's top left at (plan.left, kPanelTop)
  std::size_t held = 0;             // points held at an axis's edge, drawn as triangles
  std::vector<std::string> held_lines;  // series without markers that run along an edge
  std::vector<std::string> hidden;  // names of series that lie wholly under a later one
  std::vector<std::string> bands_below;  // bands wholly below the y axis, left out
  std::vector<std::size_t> drawn_series, drawn_bands;  // those with anything to draw
};

PanelDrawing draw_panel(const ChartPanel& panel, const PanelPlan& plan, double plot_width);

}  // namespace malhas
