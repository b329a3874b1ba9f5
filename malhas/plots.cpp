#include "malhas/plots.h"

#include <cmath>

#include "malhas/row_text.h"

namespace malhas {
namespace {

constexpr const char* kColours[] = {"#1f77b4", "#d62728", "#2ca02c", "#9467bd", "#ff7f0e", "#8c564b"};
constexpr const char* kReferenceColour = "#7f7f7f";

// One colour per series of a scheme and quantity, the same in every chart.
std::string colour(std::size_t scheme_index, Quantity q) {
  return kColours[(scheme_index * 3 + index_of(q)) % 6];
}

std::string series_name(const std::vector<SchemeStudy>& studies, const SchemeStudy& study,
                        std::string_view what) {
  return std::string(what) + (studies.size() > 1 ? " " + std::string(scheme_name(study.scheme)) : "");
}

// The meshes with results, as indices; the charts leave failed ones out.
std::vector<std::size_t> completed(const SchemeStudy& study) {
  std::vector<std::size_t> meshes;
  for (std::size_t k = 0; k < study.meshes.size(); ++k) {
    if (!study.meshes[k].failed()) meshes.push_back(k);
  }
  return meshes;
}

// A straight line of slope `order` on log-log axes through (x0, y0), over [low, high].
ChartSeries slope(int order, double x0, double y0, double low, double high) {
  ChartSeries s{"ordem " + std::to_string(order), {}, kReferenceColour, order == 2, false};
  for (double x : {low, high}) s.points.emplace_back(x, y0 * std::pow(x / x0, order));
  return s;
}

}  // namespace

Chart error_chart(const std::vector<SchemeStudy>& studies) {
  Chart chart{"Erro verdadeiro |E| = |exato - valor|", {"espaçamento da malha dx [m]", true},
              {"|E| (ºC para T(N), W para qdds1 e qdds2)", true}, {}};
  double low = HUGE_VAL, high = 0;
  for (std::size_t s = 0; s < studies.size(); ++s) {
    for (Quantity q : kQuantities) {
      ChartSeries series{series_name(studies, studies[s], quantity_name(q)), {}, colour(s, q)};
      for (std::size_t k : completed(studies[s])) {
        const double dx = studies[s].meshes[k].dx;
        series.points.emplace_back(dx, std::fabs(studies[s].rows[k][index_of(q)].error));
        low = std::min(low, dx);
        high = std::max(high, dx);
      }
      chart.series.push_back(std::move(series));
    }
  }
  // The reference slopes start at the first series' coarsest point, where the eye starts.
  const std::vector<std::pair<double, double>>& first = chart.series.front().points;
  if (!first.empty() && first.front().second > 0) {
    for (int order : {1, 2}) {
      chart.series.push_back(slope(order, first.front().first, first.front().second, low, high));
    }
  }
  return chart;
}

Chart order_chart(const std::vector<SchemeStudy>& studies) {
  Chart chart{"Ordens efetiva p_E e aparente p_U", {"espaçamento da malha dx [m]", true},
              {"ordem", false}, {}};
  for (std::size_t s = 0; s < studies.size(); ++s) {
    for (Quantity q : kQuantities) {
      for (bool apparent : {false, true}) {
        const std::string what = (apparent ? "p_U " : "p_E ") + std::string(quantity_name(q));
        ChartSeries series{series_name(studies, studies[s], what), {}, colour(s, q), apparent};
        for (std::size_t k : completed(studies[s])) {
          const QuantityAnalysis& a = studies[s].rows[k][index_of(q)];
          const Estimate& order = apparent ? a.apparent_order : a.effective_order;
          if (order.defined) series.points.emplace_back(studies[s].meshes[k].dx, order.value);
        }
        chart.series.push_back(std::move(series));
      }
    }
  }
  return chart;
}

Chart profile_chart(const std::vector<SchemeStudy>& studies) {
  Chart chart{"Perfil de temperatura", {"posição x [m]", false}, {"temperatura T [ºC]", false}, {}};
  const MeshOutcome* exact_from = nullptr;
  for (std::size_t s = 0; s < studies.size(); ++s) {
    const std::vector<std::size_t> meshes = completed(studies[s]);
    if (meshes.empty()) continue;
    for (std::size_t k : {meshes.front(), meshes.back()}) {
      const MeshOutcome& mesh = studies[s].meshes[k];
      const bool coarsest = k == meshes.front();
      ChartSeries series{series_name(studies, studies[s], "numérica, N = " + std::to_string(mesh.N)),
                         {}, kColours[(2 * s + (coarsest ? 0 : 1)) % 6], !coarsest, coarsest};
      for (std::size_t i = 0; i < mesh.profile.x.size(); ++i) {
        series.points.emplace_back(mesh.profile.x[i], mesh.profile.T[i]);
      }
      chart.series.push_back(std::move(series));
      if (coarsest && meshes.size() == 1) break;  // one mesh: no finest one beside it
    }
    exact_from = &studies[s].meshes[meshes.back()];
  }
  if (exact_from != nullptr) {
    ChartSeries exact{"exata", {}, "black", false, false};
    for (std::size_t i = 0; i < exact_from->profile.x.size(); ++i) {
      exact.points.emplace_back(exact_from->profile.x[i], exact_from->profile.Ta[i]);
    }
    chart.series.insert(chart.series.begin(), std::move(exact));
  }
  return chart;
}

}  // namespace malhas
