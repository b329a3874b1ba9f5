#include "malhas/presentation/extrapolation_text.h"

#include <algorithm>

#include "fin/tip_scheme.h"
#include "malhas/presentation/number_text.h"
#include "malhas/presentation/row_text.h"
#include "malhas/presentation/text_columns.h"

namespace malhas {
namespace {

constexpr std::size_t kErrorWidth = 12, kOrderWidth = 8;

// A level's error with `digits` digits, or "< x" within its resolution x.
template <class Real>
std::string error_text(const LevelValue<Real>& v, int digits) {
  if (below_resolution(v)) return below_bound_text(v.resolution);
  return scientific_text(static_cast<double>(v.error), digits);
}

std::string summary_line(const QuantityExtrapolation& e) {
  const std::optional<BestEstimateText> best = best_estimate_text(e);
  if (!best) return "  " + quantity_subject(e) + ": nenhuma malha calculada\n";
  return "  " + quantity_subject(e) + ": N = " + std::to_string(best->N) + ", nível " +
         std::to_string(best->level) + " (" + std::string(best->arithmetic) + "): " + best->value +
         ", erro " + best->error + "\n";
}

template <class Real>
std::string block(const QuantityExtrapolation& e, const std::vector<LevelValue<Real>>& table) {
  const LevelGrid grid = level_grid(table);
  if (grid.rows.size() < 2) return "\n" + no_levels_text(e) + "\n";
  const std::string removed = removed_orders_text(grid);
  std::string text =
      "\n" + quantity_subject(e) + ": ordem removida por nível" + (removed.empty() ? "" : " " + removed) + "\n";
  std::string heading = column("N", 10);
  for (std::size_t level = 0; level <= grid.removed_orders.size(); ++level) {
    heading += column("E" + std::to_string(level), kErrorWidth) + column("p_E", kOrderWidth);
  }
  text += heading + "\n";
  for (const LevelGrid::Row& row : grid.rows) {
    std::string line = column(std::to_string(row.N), 10);
    for (std::size_t level = 0; level < row.errors.size(); ++level) {
      line += column(row.errors[level], kErrorWidth) + column(row.orders[level], kOrderWidth);
    }
    text += line + "\n";
  }
  return text;
}

}  // namespace

std::string quantity_subject(const QuantityExtrapolation& e) {
  return std::string(scheme_name(e.scheme)) + " " + std::string(quantity_name(e.quantity));
}

std::string no_levels_text(const QuantityExtrapolation& e) {
  return quantity_subject(e) + ": menos de duas malhas calculadas, nenhum nível de extrapolação";
}

std::string removed_orders_text(const LevelGrid& grid) {
  std::string text;
  for (std::size_t j = 1; j <= grid.removed_orders.size(); ++j) {
    text += (j == 1 ? "" : ", ") + std::to_string(j) + ": " + std::to_string(grid.removed_orders[j - 1]);
  }
  return text;
}

std::string removed_order_formulas(const std::vector<QuantityExtrapolation>& extrapolations,
                                   std::string_view minus) {
  std::vector<int> steps;
  for (const QuantityExtrapolation& e : extrapolations) {
    const int step = fin::error_orders(e.scheme, e.quantity).step;
    if (std::find(steps.begin(), steps.end(), step) == steps.end()) steps.push_back(step);
  }
  std::string text;
  for (const int step : steps) {
    const std::string j = "j " + std::string(minus) + " 1";
    text += (text.empty() ? "p = p_L + " : " ou p = p_L + ") +
            (step == 1 ? j : std::to_string(step) + "·(" + j + ")");
  }
  return text;
}

std::optional<BestEstimateText> best_estimate_text(const QuantityExtrapolation& e) {
  const auto texts = [](const auto* best, std::string_view arithmetic) {
    return BestEstimateText{best->N, best->level, arithmetic, exact_text(best->value),
                            error_text(*best, 4)};
  };
  if (const LevelValue<fin::Quad>* best = best_estimate(e.quad_table)) return texts(best, "quádrupla");
  if (const LevelValue<double>* best = best_estimate(e.table)) return texts(best, "dupla");
  return std::nullopt;
}

template <class Real>
LevelGrid level_grid(const std::vector<LevelValue<Real>>& table) {
  LevelGrid grid;
  for (const LevelValue<Real>& v : table) {
    if (v.level == 0) grid.rows.push_back({v.N, {}, {}});
    if (v.level > 0 && v.N == grid.rows[static_cast<std::size_t>(v.level)].N) {  // a level's first value
      grid.removed_orders.push_back(v.removed_order);
    }
  }
  for (const LevelValue<Real>& v : table) {  // the meshes ascend: a row is found by halving
    LevelGrid::Row& row = *std::lower_bound(
        grid.rows.begin(), grid.rows.end(), v.N,
        [](const LevelGrid::Row& r, std::int32_t N) { return r.N < N; });
    row.errors.push_back(error_text(v, 3));
    row.orders.push_back(v.order.defined ? fixed_text(v.order.value, 2) : "-");
  }
  return grid;
}

template LevelGrid level_grid(const std::vector<LevelValue<double>>& table);
template LevelGrid level_grid(const std::vector<LevelValue<fin::Quad>>& table);


std::string extrapolation_summary(const std::vector<QuantityExtrapolation>& extrapolations) {
  std::string text =
      "Melhor estimativa na malha mais fina: o nível de extrapolação de Richardson repetida de "
      "menor |erro|, na solução discreta convergida em precisão quádrupla (ou em aritmética "
      "dupla, sem referência)\n";
  for (const QuantityExtrapolation& e : extrapolations) text += summary_line(e);
  return text;
}

std::string extrapolation_section(const std::vector<QuantityExtrapolation>& extrapolations) {
  std::string text =
      "\nExtrapolação de Richardson repetida: o nível j combina dois valores consecutivos do "
      "nível j - 1, (r^p fino - grosso)/(r^p - 1), e remove o termo do erro de ordem " +
      removed_order_formulas(extrapolations, "-") +
      "; Ej = exato - valor do nível j, e p_E a sua ordem efetiva.\n"
      "\nNa solução discreta convergida em precisão quádrupla:\n";
  bool referenced = false;
  for (const QuantityExtrapolation& e : extrapolations) {
    if (e.quad_table.empty()) continue;
    text += block(e, e.quad_table);
    referenced = true;
  }
  if (!referenced) text += "\nnenhuma malha com referência em precisão quádrupla\n";
  text += "\nNos valores em aritmética dupla:\n";
  for (const QuantityExtrapolation& e : extrapolations) text += block(e, e.table);
  return text;
}

}  // namespace malhas
