#include "malhas/presentation/extrapolation_csv.h"

#include "fin/real.h"
#include "malhas/presentation/number_text.h"
#include "malhas/presentation/row_text.h"

namespace malhas {
namespace {

template <class Real>
void append_rows(std::string& csv, const QuantityExtrapolation& e, const char* arithmetic,
                 const std::vector<LevelValue<Real>>& table) {
  const std::string lead = std::string(scheme_name(e.scheme)) + "," +
                           std::string(quantity_name(e.quantity)) + "," + arithmetic + ",";
  for (const LevelValue<Real>& v : table) {
    if (v.level == 0) continue;  // the mesh's own value, in malhas.csv
    csv += lead + std::to_string(v.N) + "," + std::to_string(v.level) + "," +
           std::to_string(v.removed_order) + "," + fin::RealTraits<Real>::text(v.value) + "," +
           fin::RealTraits<Real>::text(v.error) + "," + (v.order.defined ? exact_text(v.order.value) : "") + "\n";
  }
}

}  // namespace

std::string extrapolation_csv(const std::vector<QuantityExtrapolation>& extrapolations) {
  std::string csv = "esquema,quantidade,aritmetica,N,nivel,ordem_removida,valor,erro,p_E\n";
  for (const QuantityExtrapolation& e : extrapolations) {
    append_rows(csv, e, "dupla", e.table);
    append_rows(csv, e, "quadrupla", e.quad_table);
  }
  return csv;
}

}  // namespace malhas
