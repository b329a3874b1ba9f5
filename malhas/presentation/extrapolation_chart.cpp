// extrapolacoes.svg: |erro| of every level of repeated Richardson extrapolation against dx, a
// panel per quantity, the double and quadruple-precision tables in rows of their own, per scheme;
// the levels along a colour ramp, each named at its end by its level and the order its error
// tends to. Under the quadruple-precision levels, a grey band up to the reference's resolution.
#include <algorithm>
#include <cmath>
#include <map>

#include "malhas/presentation/plot_style.h"
#include "malhas/presentation/plots.h"
#include "malhas/presentation/row_text.h"

namespace malhas {
namespace {

// The band up to the smallest resolution of the levels on each mesh, x ascending: no level's
// value above its own resolution falls inside it.
template <class Real>
ChartBand resolution_band(const std::vector<LevelValue<Real>>& table) {
  std::map<double, double> lowest;  // by dx
  for (const LevelValue<Real>& v : table) {
    if (v.resolution <= 0) continue;
    const auto [at, added] = lowest.emplace(v.dx, v.resolution);
    if (!added) at->second = std::min(at->second, v.resolution);
  }
  ChartBand band{"resolução da referência", kResolutionGrey, {}, {}};
  for (const auto& [dx, resolution] : lowest) band.upper.push_back({dx, resolution});
  return band;
}

template <class Real>
ChartPanel level_panel(const QuantityExtrapolation& e, const std::vector<LevelValue<Real>>& table,
                       bool several_schemes, const char* arithmetic) {
  ChartPanel panel{panel_title(several_schemes, e.scheme, e.quantity) + " \xC2\xB7 " + arithmetic,
                   spacing_axis(true), {"|erro|", std::string(quantity_unit(e.quantity)), true}, {}, {}};
  ChartBand band = resolution_band(table);
  if (!band.upper.empty()) panel.bands.push_back(std::move(band));
  const int levels = table.empty() ? 0 : table.back().level + 1;
  for (int level = 0; level < levels; ++level) {
    const std::string name = "nível " + std::to_string(level) + " \xC2\xB7 ordem " +
                             std::to_string(expansion_order(e.scheme, e.quantity, level + 1));
    ChartSeries series;
    series.name = series.end_label = name;
    series.style.colour = ramp_colour(static_cast<std::size_t>(level), static_cast<std::size_t>(levels));
    for (const LevelValue<Real>& v : table) {
      // An error within its resolution is noise, not a point of the level's error.
      if (v.level == level && !below_resolution(v)) {
        series.points.push_back({v.dx, std::fabs(static_cast<double>(v.error))});
      }
    }
    panel.series.push_back(std::move(series));
  }
  return panel;
}

}  // namespace

Chart extrapolation_chart(const std::vector<QuantityExtrapolation>& extrapolations) {
  Chart chart{"Extrapolação de Richardson repetida: |erro| de cada nível", 3, {}, {}};
  const bool several_schemes = !extrapolations.empty() &&
                               extrapolations.front().scheme != extrapolations.back().scheme;
  // One scheme's quantities follow each other: a row of double levels, then one of quadruple.
  for (auto block = extrapolations.begin(); block != extrapolations.end();) {
    const auto end = std::find_if(block, extrapolations.end(),
                                  [&](const QuantityExtrapolation& e) { return e.scheme != block->scheme; });
    for (auto e = block; e != end; ++e) chart.panels.push_back(level_panel(*e, e->table, several_schemes, "dupla"));
    if (std::any_of(block, end, [](const QuantityExtrapolation& e) { return !e.quad_table.empty(); })) {
      for (auto e = block; e != end; ++e) {
        chart.panels.push_back(level_panel(*e, e->quad_table, several_schemes, "quádrupla"));
      }
    }
    block = end;
  }
  chart.notes.emplace_back("nível j: o valor extrapolado j vezes; ordem: a ordem para a qual o seu erro tende");
  chart.notes.emplace_back("um erro em precisão quádrupla dentro da resolução da referência não é desenhado");
  return chart;
}

}  // namespace malhas
