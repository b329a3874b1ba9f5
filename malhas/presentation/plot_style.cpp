#include "malhas/presentation/plot_style.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "malhas/presentation/row_text.h"
#include "malhas/presentation/svg_text.h"

namespace malhas {
namespace {

struct Look {
  const char* colour;
  MarkerShape marker;
};
constexpr Look kSchemeLooks[] = {{"#1f77b4", MarkerShape::Circle},
                                 {"#d62728", MarkerShape::Square},
                                 {"#2ca02c", MarkerShape::Diamond},
                                 {"#9467bd", MarkerShape::Circle}};

// The ramp's stops (from a perceptually even dark-to-light map), stopping before its pale end
// so that every colour reads on white.
constexpr unsigned kRamp[][3] = {{13, 8, 135}, {126, 3, 168}, {204, 71, 120}, {248, 149, 64}};

// The rows of the scheme table are in the order of the enumeration (fin/tip_scheme.h).
std::size_t table_position(fin::TipScheme scheme) { return static_cast<std::size_t>(scheme); }

}  // namespace

SeriesStyle scheme_style(fin::TipScheme scheme, bool second) {
  const std::size_t position = table_position(scheme);
  const Look& look = kSchemeLooks[position % std::size(kSchemeLooks)];
  if (second) {
    return {look.colour, LineStyle::Dashed, position % 2 == 0 ? MarkerShape::Cross : MarkerShape::Plus, false};
  }
  return {look.colour, LineStyle::Solid, look.marker, position > 0};
}

std::string ramp_colour(std::size_t i, std::size_t n) {
  const double at = n > 1 ? static_cast<double>(i) / static_cast<double>(n - 1) * (std::size(kRamp) - 1) : 0;
  const auto stop = std::min<std::size_t>(static_cast<std::size_t>(at), std::size(kRamp) - 2);
  const double t = at - static_cast<double>(stop);
  const auto channel = [&](std::size_t c) {
    const double from = kRamp[stop][c], to = kRamp[stop + 1][c];
    return static_cast<unsigned>(std::lround(from + t * (to - from)));
  };
  char colour[8];
  std::snprintf(colour, sizeof colour, "#%02x%02x%02x", channel(0), channel(1), channel(2));
  return colour;
}

ChartAxis spacing_axis(bool logarithmic) { return {"dx", "m", logarithmic}; }

std::string panel_title(bool several_schemes, fin::TipScheme scheme, Quantity q) {
  const std::string quantity(quantity_name(q));
  return several_schemes ? std::string(scheme_name(scheme)) + " \xC2\xB7 " + quantity : quantity;
}

std::vector<std::size_t> completed(const SchemeStudy& study) {
  std::vector<std::size_t> meshes;
  for (std::size_t k = 0; k < study.meshes.size(); ++k) {
    if (!study.meshes[k].failed()) meshes.push_back(k);
  }
  return meshes;
}

bool any_marked(const Chart& chart) {
  for (const ChartPanel& panel : chart.panels) {
    for (const ChartSeries& s : panel.series) {
      for (const ChartPoint& p : s.points) {
        if (p.marked) return true;
      }
    }
  }
  return false;
}

std::vector<std::string> missing_notes(fin::TipScheme scheme, const std::vector<MissingSeries>& missing) {
  struct Group {
    std::string reason;
    std::vector<std::string> quantities, series;
  };
  std::vector<Group> by_series;  // a series' quantities, for one reason
  for (const MissingSeries& m : missing) {
    auto at = std::find_if(by_series.begin(), by_series.end(),
                           [&](const Group& g) { return g.series[0] == m.series && g.reason == m.reason; });
    if (at == by_series.end()) at = by_series.insert(by_series.end(), {m.reason, {}, {m.series}});
    at->quantities.emplace_back(quantity_name(m.quantity));
  }
  std::vector<Group> groups;  // series missing from the same quantities for one reason
  for (const Group& g : by_series) {
    auto at = std::find_if(groups.begin(), groups.end(),
                           [&](const Group& h) { return h.quantities == g.quantities && h.reason == g.reason; });
    if (at == groups.end()) at = groups.insert(groups.end(), {g.reason, g.quantities, {}});
    at->series.push_back(g.series[0]);
  }
  std::vector<std::string> notes;
  for (const Group& g : groups) {
    std::string quantities;
    for (const std::string& q : g.quantities) quantities += (quantities.empty() ? "" : ", ") + q;
    notes.push_back(std::string(scheme_name(scheme)) + " " + quantities + ": sem " + listed(g.series) + " (" +
                    g.reason + ")");
  }
  return notes;
}

}  // namespace malhas
