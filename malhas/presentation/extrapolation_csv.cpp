#include "malhas/presentation/extrapolation_csv.h"

#include "malhas/presentation/number_text.h"
#include "malhas/presentation/row_text.h"

namespace malhas {
namespace {

// Why the row's empty cells are empty, joined by "; ".
template <class Real>
std::string level_notes(const LevelValue<Real>& v) {
  std::string notes;
  if (below_resolution(v)) {
    notes = "erro: abaixo da resolução da referência (" + below_bound_text(v.resolution) + ")";
  }
  if (!v.order.defined) notes += (notes.empty() ? "p_E: " : "; p_E: ") + std::string(v.order.reason);
  return notes;
}

template <class Real>
void append_rows(CsvWriter& csv, const QuantityExtrapolation& e, const char* arithmetic,
                 const std::vector<LevelValue<Real>>& table) {
  for (const LevelValue<Real>& v : table) {
    if (v.level == 0) continue;  // the mesh's own value, in malhas.csv
    csv.row({std::string(scheme_name(e.scheme)), std::string(quantity_name(e.quantity)), arithmetic,
             std::to_string(v.N), std::to_string(v.level), std::to_string(v.removed_order),
             csv.number(exact_text(v.value)), below_resolution(v) ? "" : csv.number(exact_text(v.error)),
             csv.number(v.order), level_notes(v)});
  }
}

}  // namespace

std::string extrapolation_csv(const std::vector<QuantityExtrapolation>& extrapolations,
                              const CsvDialect& dialect) {
  CsvWriter csv(dialect, {"esquema", "quantidade", "aritmetica", "N", "nivel", "ordem_removida",
                          "valor", "erro", "p_E", "observacoes"});
  for (const QuantityExtrapolation& e : extrapolations) {
    append_rows(csv, e, "dupla", e.table);
    append_rows(csv, e, "quadrupla", e.quad_table);
  }
  return csv.take();
}

}  // namespace malhas
