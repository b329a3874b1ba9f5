#include "malhas/presentation/extrapolation_text.h"

#include <algorithm>

#include "fin/quad_number.h"
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
  // One pass over the table, level by level: each value joins the line of its mesh (the meshes
  // are in increasing N).
  std::vector<std::string> lines;
  for (std::int32_t N : meshes) lines.push_back(column(std::to_string(N), 10));
  for (const LevelValue<Real>& v : table) {
    const auto k = std::lower_bound(meshes.begin(), meshes.end(), v.N) - meshes.begin();
    lines[static_cast<std::size_t>(k)] +=
        column(scientific_text(static_cast<double>(v.error), 3), kErrorWidth) +
        column(v.order.defined ? fixed_text(v.order.value, 2) : "-", kOrderWidth);
  }
  for (const std::string& line : lines) text += line + "\n";
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
      "nível j - 1, (r^p fino - grosso)/(r^p - 1), e remove o termo do erro de ordem "
      "p = p_L + j - 1; Ej = exato - valor do nível j, e p_E a sua ordem efetiva.\n"
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
