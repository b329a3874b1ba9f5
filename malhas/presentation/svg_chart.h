#pragma once
// A chart drawn as one <svg> element: a file as it stands (UTF-8, no XML declaration needed) and
// an element to place inline in an HTML page (it uses no ids, so several can share a page).
//
// The panels stand in a grid, each plot the same size, each axis fitted to its panel's data
// (malhas/presentation/chart_scale.h). Below the grid, the legend shows each series' line and
// marker once (a series drawn in several panels under one name is one entry), then the notes;
// the drawing adds a note of its own for points held at an axis's edge and for any series that
// lies wholly under a later one. Elements carry classes named "graf-..." so that a reader (a test,
// a page's style sheet) can find the panels, axes, series and markers.
#include <string>

#include "malhas/presentation/chart.h"

namespace malhas {

std::string svg_chart(const Chart& chart);

}  // namespace malhas
