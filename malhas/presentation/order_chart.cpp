// ordens.svg: p_E (solid) and p_U (dashed) against dx, a panel per quantity, the order axis held
// to kOrderMargin below the lowest and above the highest p_L of the panel's schemes, with p_L
// drawn across it; an order past that range is drawn as a triangle on the edge.
#include <algorithm>
#include <cmath>

#include "malhas/presentation/plot_style.h"
#include "malhas/presentation/plots.h"
#include "malhas/presentation/row_text.h"

namespace malhas {
namespace {

constexpr double kOrderMargin = 1.5;

ChartSeries order_series(const SchemeStudy& study, Quantity q, bool apparent, bool several_schemes) {
  const std::string name = apparent ? "p_U" : "p_E";
  ChartSeries series{several_schemes ? name + " " + std::string(scheme_name(study.scheme)) : name, {},
                     scheme_style(study.scheme, apparent), {}};
  for (std::size_t k : completed(study)) {
    const QuantityAnalysis& a = study.rows[k][index_of(q)];
    const Estimate& order = apparent ? a.apparent_order : a.effective_order;
    if (order.defined) series.points.push_back({study.meshes[k].dx, order.value, marked(study, k, q)});
  }
  return series;
}

}  // namespace

Chart order_chart(const std::vector<SchemeStudy>& studies) {
  Chart chart{"Ordens efetiva p_E e aparente p_U", 3, {}, {}};
  double finest = HUGE_VAL, coarsest = 0;
  for (const SchemeStudy& study : studies) {
    for (std::size_t k : completed(study)) {
      finest = std::min(finest, study.meshes[k].dx);
      coarsest = std::max(coarsest, study.meshes[k].dx);
    }
  }
  for (Quantity q : kQuantities) {
    ChartPanel panel{std::string(quantity_name(q)), spacing_axis(true), {"ordem", "", false}, {}, {}};
    std::vector<int> asymptotic;
    for (const SchemeStudy& study : studies) asymptotic.push_back(asymptotic_order(study.scheme, q));
    std::sort(asymptotic.begin(), asymptotic.end());
    asymptotic.erase(std::unique(asymptotic.begin(), asymptotic.end()), asymptotic.end());
    if (coarsest > finest) {  // one mesh has no orders, and the line no length
      for (int order : asymptotic) {
        panel.series.push_back({"ordem assintótica p_L", {{finest, double(order)}, {coarsest, double(order)}},
                                {kReferenceGrey, LineStyle::Dotted, MarkerShape::None, false}, {}});
      }
    }
    for (const SchemeStudy& study : studies) {
      for (bool apparent : {false, true}) {
        panel.series.push_back(order_series(study, q, apparent, studies.size() > 1));
      }
    }
    if (!asymptotic.empty()) {
      panel.y.held = true;
      panel.y.low = asymptotic.front() - kOrderMargin;
      panel.y.high = asymptotic.back() + kOrderMargin;
    }
    chart.panels.push_back(std::move(panel));
  }
  if (any_marked(chart)) chart.notes.emplace_back(kMarkedNote);
  return chart;
}

}  // namespace malhas
