// convergencia.svg: a quantity's value against dx on the three finest meshes, as in Celik's
// procedure: the exact value as a line, the Richardson value at dx = 0 from those three meshes
// (with their apparent order p_U) and the band of the finest mesh's GCI(p_U) around its value.
#include <algorithm>

#include "malhas/presentation/plot_style.h"
#include "malhas/presentation/plots.h"
#include "malhas/presentation/row_text.h"

namespace malhas {
namespace {

constexpr std::size_t kMeshes = 3;
constexpr const char* kBandColour = "#c6dbef";

ChartPanel convergence_panel(const SchemeStudy& study, Quantity q, bool several_schemes,
                             std::vector<std::string>& notes) {
  ChartPanel panel{panel_title(several_schemes, study.scheme, q), spacing_axis(false),
                   {std::string(quantity_name(q)), std::string(quantity_unit(q)), false}, {}, {}};
  std::vector<std::size_t> meshes = completed(study);
  if (meshes.empty()) return panel;
  meshes.erase(meshes.begin(), meshes.end() - std::min(meshes.size(), kMeshes));
  const std::size_t i = index_of(q);
  const MeshOutcome& finest = study.meshes[meshes.back()];
  const QuantityAnalysis& a = study.rows[meshes.back()][i];
  if (a.estimate_apparent.defined && a.gci_apparent.defined) {
    const double low = finest.value[i] - a.gci_apparent.value, high = finest.value[i] + a.gci_apparent.value;
    panel.bands.push_back({"GCI(p_U) da malha mais fina", kBandColour, {{0, high}, {finest.dx, high}},
                           {{0, low}, {finest.dx, low}}});
  } else {
    notes.push_back(panel.title + ": sem valor de Richardson (" + std::string(a.estimate_apparent.reason) + ")");
  }
  panel.series.push_back({"valor exato", {{0, finest.exact[i]}, {study.meshes[meshes.front()].dx, finest.exact[i]}},
                          {kReferenceGrey, LineStyle::Dashed, MarkerShape::None, false}, {}});
  ChartSeries values{std::string(scheme_name(study.scheme)), {}, scheme_style(study.scheme), {}};
  for (std::size_t k : meshes) {
    values.points.push_back({study.meshes[k].dx, study.meshes[k].value[i], marked(study, k, q)});
  }
  panel.series.push_back(std::move(values));
  if (a.estimate_apparent.defined) {
    const double richardson = finest.value[i] + a.estimate_apparent.value;
    panel.series.push_back({"valor de Richardson em dx = 0, com p_U", {{0, richardson}},
                            {"#000000", LineStyle::None, MarkerShape::Diamond, false}, {}});
  }
  return panel;
}

}  // namespace

Chart convergence_chart(const std::vector<SchemeStudy>& studies) {
  Chart chart{"Convergência nas três malhas mais finas: valor, valor exato e valor de Richardson", 3, {}, {}};
  for (const SchemeStudy& study : studies) {
    for (Quantity q : kQuantities) {
      chart.panels.push_back(convergence_panel(study, q, studies.size() > 1, chart.notes));
    }
  }
  if (any_marked(chart)) chart.notes.emplace_back(kMarkedNote);
  return chart;
}

}  // namespace malhas
