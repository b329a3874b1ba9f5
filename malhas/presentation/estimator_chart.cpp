// estimadores.svg: the effectivity U/|E| of every uncertainty estimator against dx, log-log, a
// panel per scheme and quantity, over the line U = |E| and the region below it shaded: a point
// there is a mesh on which the estimator understated the true error. An estimator with no point
// in a panel is named in a note with the reason.
#include <algorithm>

#include "malhas/presentation/estimator_words.h"
#include "malhas/presentation/plot_style.h"
#include "malhas/presentation/plots.h"

namespace malhas {
namespace {

// One look per estimator, in the order of kEstimators; each marker shape once, so that points of
// two estimators on one spot both stay in sight (the hollow square and the line markers show a
// filled one under them).
const SeriesStyle kEstimatorStyles[] = {
    {"#1f77b4", LineStyle::Solid, MarkerShape::Circle, false},   // GCI(p_L)
    {"#ff7f0e", LineStyle::Solid, MarkerShape::Square, true},    // GCI(p_U)
    {"#2ca02c", LineStyle::Solid, MarkerShape::Diamond, false},  // GCI(osc)
    {"#d62728", LineStyle::Solid, MarkerShape::Cross, false},    // FS
    {"#9467bd", LineStyle::Solid, MarkerShape::Plus, false},     // MQ
};
static_assert(std::size(kEstimatorStyles) == kEstimators.size());

constexpr const char* kUnderstatedColour = "#fbe0de";

// Why an estimator has no point in a panel: the reason of its empty effectivity on the finest
// completed mesh (on coarser ones it is mostly that there are too few meshes).
std::string absence(const SchemeStudy& study, const QuantityEstimators& q, Estimator e) {
  const std::vector<std::size_t> meshes = completed(study);
  if (meshes.empty()) return "nenhuma malha calculada";
  return std::string(q.meshes[meshes.back()][index_of(e)].effectivity.reason);
}

// The estimator's points as runs of consecutive meshes: a line joins two meshes only when the
// estimator gave an effectivity on both and on none between (GCI(osc), for one, applies on
// scattered meshes). Each run is a series of the estimator's name and look.
std::vector<ChartSeries> estimator_runs(const SchemeStudy& study, const QuantityEstimators& q, Estimator e) {
  std::vector<ChartSeries> runs;
  bool joined = false;  // the last mesh gave a point
  for (std::size_t k = 0; k < study.meshes.size(); ++k) {
    const Estimate& effectivity = q.meshes[k][index_of(e)].effectivity;
    const bool point = !study.meshes[k].failed() && effectivity.defined && effectivity.value > 0;
    if (point && !joined) runs.push_back({std::string(estimator_name(e)), {}, kEstimatorStyles[index_of(e)], {}});
    if (point) runs.back().points.push_back({study.meshes[k].dx, effectivity.value, marked(study, k, q.quantity)});
    joined = point;
  }
  return runs;
}

// The panel's series hold their places in every panel, so that the legend lists them in order:
// the line U = |E|, then the first run of each estimator (empty where it has none), then the
// later runs.
ChartPanel estimator_panel(const SchemeStudy& study, const QuantityEstimators& q, bool several_schemes,
                           std::vector<MissingSeries>& missing) {
  ChartPanel panel{panel_title(several_schemes, study.scheme, q.quantity), spacing_axis(true),
                   {"U/|E|", "", true}, {}, {}};
  panel.series.push_back({"U = |E|", {}, {kReferenceGrey, LineStyle::Dashed, MarkerShape::None, false}, {}});
  std::vector<ChartSeries> later;
  for (Estimator e : kEstimators) {
    std::vector<ChartSeries> runs = estimator_runs(study, q, e);
    if (runs.empty()) {
      missing.push_back({std::string(estimator_name(e)), absence(study, q, e), q.quantity});
      runs.push_back({std::string(estimator_name(e)), {}, kEstimatorStyles[index_of(e)], {}});
    }
    panel.series.push_back(runs.front());
    later.insert(later.end(), runs.begin() + 1, runs.end());
  }
  panel.series.insert(panel.series.end(), later.begin(), later.end());
  const bool judged = std::any_of(panel.series.begin(), panel.series.end(),
                                 [](const ChartSeries& s) { return !s.points.empty(); });
  if (judged) {  // the line and the region below it across the study's meshes
    const std::vector<std::size_t> meshes = completed(study);
    const double coarsest = study.meshes[meshes.front()].dx, finest = study.meshes[meshes.back()].dx;
    panel.series.front().points = {{finest, 1}, {coarsest, 1}};
    panel.bands.push_back({"U < |E|: o estimador subestimou o erro", kUnderstatedColour,
                           {{finest, 1}, {coarsest, 1}}, {}});
  }
  return panel;
}

}  // namespace

Chart estimator_chart(const std::vector<SchemeStudy>& studies, const std::vector<QuantityEstimators>& estimators) {
  Chart chart{"Efetividade U/|E| dos estimadores de incerteza em função do espaçamento", 3, {}, {}};
  std::size_t next = 0;  // the estimators come one per scheme and quantity, as the tables
  for (const SchemeStudy& study : studies) {
    std::vector<MissingSeries> missing;
    for (std::size_t quantity = 0; quantity < kQuantities.size(); ++quantity) {
      chart.panels.push_back(estimator_panel(study, estimators[next++], studies.size() > 1, missing));
    }
    for (std::string& note : missing_notes(study.scheme, missing)) chart.notes.push_back(std::move(note));
  }
  if (any_marked(chart)) chart.notes.emplace_back(kMarkedNote);
  return chart;
}

}  // namespace malhas
