// orcamento.svg: the three parts of the error budget against dx, a panel per scheme and
// quantity, each part one colour and marker in every panel, over a grey band up to the
// reference's resolution. A part with no point in a panel is named in a note with the reason.
#include <cmath>

#include "malhas/presentation/plot_style.h"
#include "malhas/presentation/plots.h"
#include "malhas/presentation/row_text.h"

namespace malhas {
namespace {

struct Part {
  const char* name;
  Estimate QuantityAnalysis::*estimate;
  SeriesStyle style;
};
const Part kParts[] = {
    {"discretização", &QuantityAnalysis::discretisation_error, {"#1f77b4", LineStyle::Solid, MarkerShape::Circle, false}},
    {"iteração", &QuantityAnalysis::iteration_error, {"#d62728", LineStyle::Solid, MarkerShape::Square, true}},
    {"arredondamento", &QuantityAnalysis::round_off_error, {"#2ca02c", LineStyle::Solid, MarkerShape::Diamond, true}},
};

// The band under the reference's resolution, over the meshes that have one; x ascending.
ChartBand resolution_band(const SchemeStudy& study, Quantity q) {
  ChartBand band{"resolução da referência", kResolutionGrey, {}, {}};
  const std::vector<std::size_t> meshes = completed(study);
  for (auto k = meshes.rbegin(); k != meshes.rend(); ++k) {
    const Estimate& r = study.rows[*k][index_of(q)].reference_resolution;
    if (r.defined && r.value > 0) band.upper.push_back({study.meshes[*k].dx, r.value});
  }
  return band;
}

// Why a part has no point on any mesh: the reason of an empty cell, or that it is 0 throughout.
std::string_view absence(const SchemeStudy& study, Estimate QuantityAnalysis::*part, Quantity q) {
  for (std::size_t k : completed(study)) {
    const Estimate& e = study.rows[k][index_of(q)].*part;
    if (!e.defined) return e.reason;
  }
  return "nula em todas as malhas";
}

}  // namespace

Chart budget_chart(const std::vector<SchemeStudy>& studies) {
  Chart chart{"Orçamento do erro: |E_discretizacao|, |E_iteracao| e |E_arredondamento|", 3, {}, {}};
  bool zeros = false;
  for (const SchemeStudy& study : studies) {
    std::vector<MissingSeries> missing;
    for (Quantity q : kQuantities) {
      ChartPanel panel{panel_title(studies.size() > 1, study.scheme, q), spacing_axis(true),
                       {"|parte do erro|", std::string(quantity_unit(q)), true}, {}, {}};
      ChartBand band = resolution_band(study, q);
      if (!band.upper.empty()) panel.bands.push_back(std::move(band));
      for (const Part& part : kParts) {
        ChartSeries series{part.name, {}, part.style, {}};
        bool zero = false;
        for (std::size_t k : completed(study)) {
          const Estimate& e = study.rows[k][index_of(q)].*part.estimate;
          zero |= e.defined && e.value == 0;
          if (e.defined && e.value != 0) series.points.push_back({study.meshes[k].dx, std::fabs(e.value)});
        }
        zeros |= zero && !series.points.empty();  // a part that is 0 throughout has a note of its own
        if (series.points.empty()) missing.push_back({part.name, std::string(absence(study, part.estimate, q)), q});
        panel.series.push_back(std::move(series));
      }
      chart.panels.push_back(std::move(panel));
    }
    for (std::string& note : missing_notes(study.scheme, missing)) chart.notes.push_back(std::move(note));
  }
  if (zeros) chart.notes.emplace_back("uma parte igual a 0 não tem lugar na escala log e fica de fora");
  return chart;
}

}  // namespace malhas
