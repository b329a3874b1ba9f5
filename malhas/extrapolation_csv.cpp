#include "malhas/extrapolation_csv.h"

#include "malhas/number_text.h"
#include "malhas/row_text.h"

namespace malhas {

std::string extrapolation_csv(const std::vector<QuantityExtrapolation>& extrapolations) {
  std::string csv = "esquema,quantidade,aritmetica,N,nivel,ordem_removida,valor,erro,p_E\n";
  for (const QuantityExtrapolation& e : extrapolations) {
    const std::string lead = std::string(scheme_name(e.scheme)) + "," +
                             std::string(quantity_name(e.quantity)) + ",dupla,";
    for (const LevelValue<double>& v : e.table) {
      if (v.level == 0) continue;  // the mesh's own value, in malhas.csv
      csv += lead + std::to_string(v.N) + "," + std::to_string(v.level) + "," +
             std::to_string(v.removed_order) + "," + exact_text(v.value) + "," +
             exact_text(v.error) + "," + (v.order.defined ? exact_text(v.order.value) : "") + "\n";
    }
  }
  return csv;
}

}  // namespace malhas
