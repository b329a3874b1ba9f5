#pragma once
// What every chart must hold to be read, checked on what it draws (each failure a GoogleTest
// failure naming the chart): no two tick labels overlap, at most about eight labelled ticks per
// axis, axes fitted to the data (no empty decade at either end of a logarithmic one), end labels
// apart, no series wholly under a later one without a note naming it, every point past a held
// axis drawn at its edge and counted in the note, no point inside a band of the reference's
// resolution, and a page no wider than a 1280-pixel screen holds.
#include <string>

#include "tests/malhas/presentation/chart_reading.h"

namespace malhas {

void expect_legible(const DrawnChart& chart, const std::string& what);

}  // namespace malhas
