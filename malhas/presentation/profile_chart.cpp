// perfil.svg: the error E = Ta - T along the fin (the tables' sign), per scheme two panels: every
// mesh's error divided by dx^p_L, on which the meshes of the asymptotic range fall on one curve
// (the leading coefficient of the error), and the errors themselves on the coarsest and finest
// meshes.
#include <algorithm>
#include <cmath>

#include "malhas/presentation/chart_scale.h"
#include "malhas/presentation/plot_style.h"
#include "malhas/presentation/plots.h"
#include "malhas/presentation/row_text.h"

namespace malhas {
namespace {

// `base` raised to the whole power p: "dx", "dx²", "dx³", "dx^4".
std::string raised(const std::string& base, int p) {
  if (p == 1) return base;
  if (p == 2) return base + "\xC2\xB2";
  if (p == 3) return base + "\xC2\xB3";
  return base + "^" + std::to_string(p);
}

ChartSeries mesh_error(const MeshOutcome& mesh, double divisor, const std::string& colour) {
  const std::string name = "N = " + std::to_string(mesh.N);
  ChartSeries series{name, {}, {colour, LineStyle::Solid, MarkerShape::None, false}, name};
  for (std::size_t i = 0; i < mesh.profile.x.size(); ++i) {
    series.points.push_back({mesh.profile.x[i], (mesh.profile.Ta[i] - mesh.profile.T[i]) / divisor});
  }
  return series;
}

// Holds the scaled panel's axis to the meshes the tables do not mark for T(N), when some are
// marked and some not: a mesh whose round-off outweighs its discretisation error divides noise by
// dx^p_L, and would flatten the curve the others share.
bool hold_to_unmarked(ChartPanel& panel, const SchemeStudy& study, const std::vector<std::size_t>& meshes) {
  double low = HUGE_VAL, high = -HUGE_VAL;
  std::size_t unmarked = 0;
  for (std::size_t i = 0; i < meshes.size(); ++i) {
    if (marked(study, meshes[i], Quantity::TipTemperature)) continue;
    ++unmarked;
    for (const ChartPoint& p : panel.series[i].points) {
      low = std::min(low, p.y);
      high = std::max(high, p.y);
    }
  }
  if (unmarked == 0 || unmarked == meshes.size() || !(low < high)) return false;
  panel.y.held = true;
  panel.y.low = low - kAxisPad * (high - low);
  panel.y.high = high + kAxisPad * (high - low);
  return true;
}

}  // namespace

Chart profile_chart(const std::vector<SchemeStudy>& studies) {
  Chart chart{"Erro ao longo da aleta: E = Ta \xE2\x88\x92 T (exata \xE2\x88\x92 numérica)", 2, {}, {}};
  bool held = false;
  for (const SchemeStudy& study : studies) {
    const std::vector<std::size_t> meshes = completed(study);
    if (meshes.empty()) continue;
    const std::string scheme = studies.size() > 1 ? std::string(scheme_name(study.scheme)) + " \xC2\xB7 " : "";
    const int p = asymptotic_order(study.scheme, Quantity::TipTemperature);
    const std::string scaled = "E/" + raised("dx", p);
    ChartPanel all{scheme + scaled + " em todas as malhas", {"x", "m", false},
                   {scaled, "ºC/" + raised("m", p), false}, {}, {}};
    for (std::size_t i = 0; i < meshes.size(); ++i) {
      const MeshOutcome& mesh = study.meshes[meshes[i]];
      all.series.push_back(mesh_error(mesh, std::pow(mesh.dx, p), ramp_colour(i, meshes.size())));
    }
    held |= hold_to_unmarked(all, study, meshes);
    ChartPanel ends{scheme + "E nas malhas mais grossa e mais fina", {"x", "m", false}, {"E", "ºC", false}, {}, {}};
    ends.series.push_back(mesh_error(study.meshes[meshes.front()], 1, ramp_colour(0, meshes.size())));
    if (meshes.size() > 1) {
      ends.series.push_back(mesh_error(study.meshes[meshes.back()], 1, ramp_colour(meshes.size() - 1, meshes.size())));
    }
    chart.panels.push_back(std::move(all));
    chart.panels.push_back(std::move(ends));
  }
  chart.notes.emplace_back("E/dx^p_L: as malhas da faixa assintótica caem sobre uma só curva, o coeficiente do "
                           "termo principal do erro; as que se afastam dela têm outros termos ou arredondamento");
  if (held) {
    chart.notes.emplace_back("a escala de E/dx^p_L segue as malhas sem marca de arredondamento ou iteração em T(N)");
  }
  return chart;
}

}  // namespace malhas
