// erro.svg: |E| against dx per quantity, each scheme a series, with reference slopes of order 1
// and 2 drawn a factor kSlopeClearance below every point so that they cross no series.
#include <algorithm>
#include <cmath>

#include "malhas/presentation/plot_style.h"
#include "malhas/presentation/plots.h"
#include "malhas/presentation/row_text.h"

namespace malhas {
namespace {

constexpr double kSlopeClearance = 3;

// A straight line of slope `order` on log-log axes over [low, high], a factor kSlopeClearance
// below the lowest point of `data` relative to that slope.
ChartSeries slope(int order, const std::vector<ChartSeries>& data, double low, double high) {
  double lowest = HUGE_VAL;  // min of y / x^order over the data
  for (const ChartSeries& s : data) {
    for (const ChartPoint& p : s.points) {
      if (p.x > 0 && p.y > 0) lowest = std::min(lowest, p.y / std::pow(p.x / high, order));
    }
  }
  ChartSeries s{"ordem " + std::to_string(order), {},
                {kReferenceGrey, order == 2 ? LineStyle::Dashed : LineStyle::Solid, MarkerShape::None, false}, {}};
  for (double x : {low, high}) {
    s.points.push_back({x, lowest / kSlopeClearance * std::pow(x / high, order)});
  }
  return s;
}

}  // namespace

Chart error_chart(const std::vector<SchemeStudy>& studies) {
  Chart chart{"Erro verdadeiro |E| = |exato \xE2\x88\x92 valor| em função do espaçamento", 3, {}, {}};
  for (Quantity q : kQuantities) {
    ChartPanel panel{std::string(quantity_name(q)), spacing_axis(true),
                     {"|E|", std::string(quantity_unit(q)), true}, {}, {}};
    double low = HUGE_VAL, high = 0;
    for (const SchemeStudy& study : studies) {
      ChartSeries series{std::string(scheme_name(study.scheme)), {}, scheme_style(study.scheme), {}};
      for (std::size_t k : completed(study)) {
        const double dx = study.meshes[k].dx;
        series.points.push_back({dx, std::fabs(study.rows[k][index_of(q)].error), marked(study, k, q)});
        low = std::min(low, dx);
        high = std::max(high, dx);
      }
      panel.series.push_back(std::move(series));
    }
    if (high > 0) {
      const std::vector<ChartSeries> data = panel.series;
      for (int order : {1, 2}) {
        ChartSeries reference = slope(order, data, low, high);
        if (std::isfinite(reference.points.front().y)) panel.series.push_back(std::move(reference));
      }
    }
    chart.panels.push_back(std::move(panel));
  }
  if (any_marked(chart)) chart.notes.emplace_back(kMarkedNote);
  return chart;
}

}  // namespace malhas
