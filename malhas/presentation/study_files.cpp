#include "malhas/presentation/study_files.h"

#include "malhas/presentation/csv_table.h"
#include "malhas/presentation/extrapolation_csv.h"
#include "malhas/presentation/plots.h"
#include "malhas/presentation/svg_chart.h"
#include "malhas/presentation/text_table.h"
#include "malhas/verification/extrapolations.h"

namespace malhas {

std::vector<OutputFile> study_files(const std::vector<SchemeStudy>& studies) {
  const std::vector<QuantityExtrapolation> extrapolations = extrapolate(studies);
  return {{"malhas.csv", csv_table(studies)},
          {"malhas_excel.csv", csv_table(studies, kBrazilianSpreadsheetCsv)},
          {"malhas.txt", text_table(studies, extrapolations)},
          {"extrapolacoes.csv", extrapolation_csv(extrapolations)},
          {"erro.svg", svg_chart(error_chart(studies))},
          {"convergencia.svg", svg_chart(convergence_chart(studies))},
          {"orcamento.svg", svg_chart(budget_chart(studies))},
          {"ordens.svg", svg_chart(order_chart(studies))},
          {"perfil.svg", svg_chart(profile_chart(studies))},
          {"extrapolacoes.svg", svg_chart(extrapolation_chart(extrapolations))}};
}

}  // namespace malhas
