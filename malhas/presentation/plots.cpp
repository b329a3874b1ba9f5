#include "malhas/presentation/plots.h"

#include <algorithm>
#include <cmath>

#include "malhas/presentation/row_text.h"

namespace malhas {
namespace {

constexpr const char* kColours[] = {"#1f77b4", "#d62728", "#2ca02c", "#9467bd", "#ff7f0e", "#8c564b"};
constexpr const char* kLevelColours[] = {"#1f77b4", "#ff7f0e", "#2ca02c", "#d62728", "#9467bd",
                                         "#8c564b", "#e377c2", "#7f7f7f", "#bcbd22", "#17becf"};
constexpr const char* kReferenceColour = "#7f7f7f";
constexpr LineStyle kQuantityLines[] = {LineStyle::Solid, LineStyle::Dashed, LineStyle::Dotted};

// The reference slopes lie a factor of this below every point of the data.
constexpr double kSlopeClearance = 3;

// How far beyond the asymptotic orders the order chart shows; orders past it are held at the edge.
constexpr double kOrderMargin = 1.5;

constexpr std::string_view kMarkedNote =
    "anel: malha marcada (arredondamento ou iteração medidos)";

// One colour per series of a scheme and quantity, the same in every chart.
std::string colour(std::size_t scheme_index, Quantity q) {
  return kColours[(scheme_index * 3 + index_of(q)) % 6];
}

std::string with_scheme(bool several_schemes, fin::TipScheme scheme, std::string_view what) {
  return std::string(what) + (several_schemes ? " " + std::string(scheme_name(scheme)) : "");
}

std::string series_name(const std::vector<SchemeStudy>& studies, const SchemeStudy& study,
                        std::string_view what) {
  return with_scheme(studies.size() > 1, study.scheme, what);
}

// The meshes with results, as indices; the charts leave failed ones out.
std::vector<std::size_t> completed(const SchemeStudy& study) {
  std::vector<std::size_t> meshes;
  for (std::size_t k = 0; k < study.meshes.size(); ++k) {
    if (!study.meshes[k].failed()) meshes.push_back(k);
  }
  return meshes;
}

// A mesh whose value the tables warn about: its measured round-off or iteration error is not
// small beside its discretisation error.
bool marked(const SchemeStudy& study, std::size_t k, Quantity q) {
  const QuantityAnalysis& a = study.rows[k][index_of(q)];
  return a.round_off || a.iteration;
}

// A straight line of slope `order` on log-log axes over [low, high], a factor kSlopeClearance
// below the lowest point of the data relative to that slope, so that it crosses no series.
ChartSeries slope(int order, const std::vector<ChartSeries>& data, double low, double high) {
  double lowest = HUGE_VAL;  // min of y / x^order over the data
  for (const ChartSeries& s : data) {
    for (const ChartPoint& p : s.points) {
      if (p.x > 0 && p.y > 0) lowest = std::min(lowest, p.y / std::pow(p.x / high, order));
    }
  }
  ChartSeries s{"ordem " + std::to_string(order), {}, kReferenceColour,
                order == 2 ? LineStyle::Dashed : LineStyle::Solid, false};
  for (double x : {low, high}) {
    s.points.push_back({x, lowest / kSlopeClearance * std::pow(x / high, order)});
  }
  return s;
}

}  // namespace

Chart error_chart(const std::vector<SchemeStudy>& studies) {
  Chart chart{"Erro verdadeiro |E| = |exato - valor|", {"espaçamento da malha dx [m]", true},
              {"|E| (ºC para T(N), W para qdds1 e qdds2)", true}, {}, {std::string(kMarkedNote)}};
  double low = HUGE_VAL, high = 0;
  for (std::size_t s = 0; s < studies.size(); ++s) {
    for (Quantity q : kQuantities) {
      ChartSeries series{series_name(studies, studies[s], quantity_name(q)), {}, colour(s, q)};
      for (std::size_t k : completed(studies[s])) {
        const double dx = studies[s].meshes[k].dx;
        series.points.push_back({dx, std::fabs(studies[s].rows[k][index_of(q)].error),
                                 marked(studies[s], k, q)});
        low = std::min(low, dx);
        high = std::max(high, dx);
      }
      chart.series.push_back(std::move(series));
    }
  }
  if (high > 0) {
    const std::vector<ChartSeries> data = chart.series;
    for (int order : {1, 2}) {
      ChartSeries reference = slope(order, data, low, high);
      if (std::isfinite(reference.points.front().y)) chart.series.push_back(std::move(reference));
    }
  }
  return chart;
}

Chart budget_chart(const std::vector<SchemeStudy>& studies) {
  Chart chart{"Orçamento do erro: |E_discretizacao|, |E_iteracao| e |E_arredondamento|",
              {"espaçamento da malha dx [m]", true},
              {"|parte do erro| (ºC para T(N), W para qdds1 e qdds2)", true}, {},
              {"cor: a parte do erro; traço: a quantidade; partes nulas ou sem referência ficam de fora"}};
  struct Part {
    std::string_view name;
    Estimate QuantityAnalysis::*estimate;
  };
  constexpr Part kParts[] = {{"discretização", &QuantityAnalysis::discretisation_error},
                             {"iteração", &QuantityAnalysis::iteration_error},
                             {"arredondamento", &QuantityAnalysis::round_off_error}};
  for (std::size_t s = 0; s < studies.size(); ++s) {
    for (Quantity q : kQuantities) {
      for (std::size_t part = 0; part < std::size(kParts); ++part) {
        const std::string what = std::string(quantity_name(q)) + " " + std::string(kParts[part].name);
        ChartSeries series{series_name(studies, studies[s], what), {}, kColours[(3 * s + part) % 6],
                           kQuantityLines[index_of(q)]};
        for (std::size_t k : completed(studies[s])) {
          const Estimate& e = studies[s].rows[k][index_of(q)].*kParts[part].estimate;
          if (e.defined && e.value != 0) {
            series.points.push_back({studies[s].meshes[k].dx, std::fabs(e.value)});
          }
        }
        chart.series.push_back(std::move(series));
      }
    }
  }
  return chart;
}

Chart order_chart(const std::vector<SchemeStudy>& studies) {
  Chart chart{"Ordens efetiva p_E e aparente p_U", {"espaçamento da malha dx [m]", true},
              {"ordem", false}, {}, {std::string(kMarkedNote)}};
  int lowest = 2, highest = 1;
  for (std::size_t s = 0; s < studies.size(); ++s) {
    for (Quantity q : kQuantities) {
      lowest = std::min(lowest, asymptotic_order(studies[s].scheme, q));
      highest = std::max(highest, asymptotic_order(studies[s].scheme, q));
      for (bool apparent : {false, true}) {
        const std::string what = (apparent ? "p_U " : "p_E ") + std::string(quantity_name(q));
        ChartSeries series{series_name(studies, studies[s], what), {}, colour(s, q),
                           apparent ? LineStyle::Dashed : LineStyle::Solid};
        for (std::size_t k : completed(studies[s])) {
          const QuantityAnalysis& a = studies[s].rows[k][index_of(q)];
          const Estimate& order = apparent ? a.apparent_order : a.effective_order;
          if (order.defined) {
            series.points.push_back({studies[s].meshes[k].dx, order.value, marked(studies[s], k, q)});
          }
        }
        chart.series.push_back(std::move(series));
      }
    }
  }
  chart.y.held = true;
  chart.y.low = lowest - kOrderMargin;
  chart.y.high = highest + kOrderMargin;
  return chart;
}

Chart profile_chart(const std::vector<SchemeStudy>& studies) {
  Chart chart{"Erro ao longo da aleta: numérica - exata", {"posição x [m]", false},
              {"T - Ta [ºC]", false}, {}, {}};
  for (std::size_t s = 0; s < studies.size(); ++s) {
    const std::vector<std::size_t> meshes = completed(studies[s]);
    if (meshes.empty()) continue;
    for (std::size_t k : {meshes.front(), meshes.back()}) {
      const MeshOutcome& mesh = studies[s].meshes[k];
      const bool coarsest = k == meshes.front();
      ChartSeries series{series_name(studies, studies[s], "N = " + std::to_string(mesh.N)), {},
                         kColours[(2 * s + (coarsest ? 0 : 1)) % 6],
                         coarsest ? LineStyle::Solid : LineStyle::Dashed, coarsest};
      for (std::size_t i = 0; i < mesh.profile.x.size(); ++i) {
        series.points.push_back({mesh.profile.x[i], mesh.profile.T[i] - mesh.profile.Ta[i]});
      }
      chart.series.push_back(std::move(series));
      if (coarsest && meshes.size() == 1) break;  // one mesh: no finest one beside it
    }
  }
  return chart;
}

namespace {

// One series per level of `table`, its points drawn as rings when `open`.
template <class Real>
void add_levels(Chart& chart, const QuantityExtrapolation& e, const std::vector<LevelValue<Real>>& table,
                bool several_schemes, std::string_view arithmetic, bool open) {
  const int levels = table.empty() ? 0 : table.back().level + 1;
  for (int level = 0; level < levels; ++level) {
    const std::string what = std::string(quantity_name(e.quantity)) + " nível " +
                             std::to_string(level) + std::string(arithmetic);
    ChartSeries series{with_scheme(several_schemes, e.scheme, what), {},
                       kLevelColours[level % 10], kQuantityLines[index_of(e.quantity)]};
    for (const LevelValue<Real>& v : table) {
      if (v.level == level) series.points.push_back({v.dx, std::fabs(static_cast<double>(v.error)), open});
    }
    chart.series.push_back(std::move(series));
  }
}

}  // namespace

Chart extrapolation_chart(const std::vector<QuantityExtrapolation>& extrapolations) {
  Chart chart{"Extrapolação de Richardson repetida: |erro| de cada nível",
              {"espaçamento da malha dx [m]", true},
              {"|erro| (ºC para T(N), W para qdds1 e qdds2)", true}, {},
              {"ponto: valores em aritmética dupla; anel: solução convergida em precisão quádrupla"}};
  const bool several_schemes = !extrapolations.empty() &&
                               extrapolations.front().scheme != extrapolations.back().scheme;
  for (const QuantityExtrapolation& e : extrapolations) {
    add_levels(chart, e, e.table, several_schemes, "", false);
    add_levels(chart, e, e.quad_table, several_schemes, " quádrupla", true);
  }
  return chart;
}

}  // namespace malhas
