#pragma once
// An axis fitted to its data: its range, a little wider than the values it shows (no empty
// decades), and its ticks, at most kMostLabels of them labelled and no two labels touching at
// the length the axis is drawn. A logarithmic axis labels every k-th decade and keeps the others
// as minor ticks; one spanning less than two decades labels 1, 2, 5 times a power of ten
// (plainly, "0.5" or "20", between 0.01 and 1000) with the other multiples as minor ticks, or
// even steps of the values where those crowd. A
// linear axis whose labels would need many digits to tell its ticks apart labels their distance
// from an offset, which the axis title then names.
#include <string>
#include <vector>

#include "malhas/presentation/chart.h"

namespace malhas {

constexpr std::size_t kMostLabels = 8;
constexpr double kAxisPad = 0.04;  // the share of the span an axis's range adds at either end
constexpr double kTickFont = 11, kExponentFont = 8;

// A tick's label: `base`, with `exponent` raised after it when not empty ("10" and "-3").
struct TickLabel {
  std::string base, exponent;
};

struct Tick {
  double at = 0;  // in the axis's own scale: decades on a logarithmic axis
  bool labelled = false;
  TickLabel label;
};

struct Scale {
  bool logarithmic = false;
  double low = 0, high = 1;  // the range, in the axis's own scale
  std::vector<Tick> ticks;
  bool offset = false;       // the labels are the values minus offset_value
  double offset_value = 0;
  std::string offset_text;

  // Whether the axis can place v at all (finite; positive on a logarithmic axis).
  bool shows(double v) const;
  // v in the axis's own scale.
  double scaled(double v) const;
};

double label_width(const TickLabel& label);

// The scale of `axis` over `values` (those it cannot show are passed over), drawn `length`
// pixels long, across the page when `horizontal`.
Scale fit_scale(const ChartAxis& axis, const std::vector<double>& values, double length,
                bool horizontal);

}  // namespace malhas
