#include "malhas/presentation/extrapolation_text.h"

#include <algorithm>

#include "fin/quad_number.h"
#include "fin/tip_scheme.h"
#include "malhas/presentation/number_text.h"
#include "malhas/presentation/row_text.h"
#include "malhas/presentation/text_columns.h"

namespace malhas {
namespace {

constexpr std::size_t kErrorWidth = 12, kOrderWidth = 8;

std::string subject(const QuantityExtrapolation& e) {
  return std::string(scheme_name(e.scheme)) + " " + std::string(quantity_name(e.quantity));
}

std::string value_text(double v) { return exact_text(v); }
std::string value_text(fin::Quad v) { return fin::QuadNumber(v).text(); }

// The best estimate from the quadruple-precision table when there is one, else from the double.
std::string summary_line(const QuantityExtrapolation& e) {
  const auto line = [&e](const auto* best, const char* arithmetic) {
    return "  " + subject(e) + ": N = " + std::to_string(best->N) + ", nível " +
           std::to_string(best->level) + " (" + arithmetic + "): " + value_text(best->value) +
           ", erro " + scientific_text(static_cast<double>(best->error), 4) + "\n";
  };
  if (const LevelValue<fin::Quad>* best = best_estimate(e.quad_table)) return line(best, "quádrupla");
  if (const LevelValue<double>* best = best_estimate(e.table)) return line(best, "dupla");
  return "  " + subject(e) + ": nenhuma malha calculada\n";
}

// The meshes of the table, coarsest first: those of level 0.
template <class Real>
std::vector<std::int32_t> meshes_of(const std::vector<LevelValue<Real>>& table) {
  std::vector<std::int32_t> meshes;
  for (const LevelValue<Real>& v : table) {
    if (v.level == 0) meshes.push_back(v.N);
  }
  return meshes;
}

template <class Real>
std::string block(const QuantityExtrapolation& e, const std::vector<LevelValue<Real>>& table) {
  const std::vector<std::int32_t> meshes = meshes_of(table);
  if (meshes.size() < 2) {
    return "\n" + subject(e) + ": menos de duas malhas calculadas, nenhum nível de extrapolação\n";
  }
  const int levels = table.back().level + 1;
  std::string text = "\n" + subject(e) + ": ordem removida por nível";
  for (const LevelValue<Real>& v : table) {
    if (v.level > 0 && v.N == meshes[static_cast<std::size_t>(v.level)]) {  // a level's first value
      text += (v.level == 1 ? " " : ", ") + std::to_string(v.level) + ": " +
              std::to_string(v.removed_order);
    }
  }
  text += "\n";
  std::string heading = column("N", 10);
  for (int level = 0; level < levels; ++level) {
    heading += column("E" + std::to_string(level), kErrorWidth) + column("p_E", kOrderWidth);
  }
  text += heading + "\n";
  for (std::size_t k = 0; k < meshes.size(); ++k) {
    std::string line = column(std::to_string(meshes[k]), 10);
    for (const LevelValue<Real>& v : table) {
      if (v.N != meshes[k]) continue;
      line += column(scientific_text(static_cast<double>(v.error), 3), kErrorWidth) +
              column(v.order.defined ? fixed_text(v.order.value, 2) : "-", kOrderWidth);
    }
    text += line + "\n";
  }
  return text;
}

// The order of the term level j removes, p_L + (j - 1)·step, for the steps of the schemes and
// quantities extrapolated: "p = p_L + j - 1" when every step is 1.
std::string removed_order_formulas(const std::vector<QuantityExtrapolation>& extrapolations) {
  std::vector<int> steps;
  for (const QuantityExtrapolation& e : extrapolations) {
    const int step = fin::error_orders(e.scheme, e.quantity).step;
    if (std::find(steps.begin(), steps.end(), step) == steps.end()) steps.push_back(step);
  }
  std::string text;
  for (const int step : steps) {
    text += (text.empty() ? "p = p_L + " : " ou p = p_L + ") +
            (step == 1 ? std::string("j - 1") : std::to_string(step) + "·(j - 1)");
  }
  return text;
}

}  // namespace

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
      removed_order_formulas(extrapolations) +
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
