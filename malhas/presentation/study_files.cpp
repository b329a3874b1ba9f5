#include "malhas/presentation/study_files.h"

#include "malhas/presentation/csv_table.h"
#include "malhas/presentation/estimator_csv.h"
#include "malhas/presentation/estimator_text.h"
#include "malhas/presentation/extrapolation_csv.h"
#include "malhas/presentation/plots.h"
#include "malhas/presentation/study_page.h"
#include "malhas/presentation/svg_chart.h"
#include "malhas/presentation/text_table.h"

namespace malhas {

std::vector<OutputFile> study_files(const StudyResults& results, const RunDescription& run) {
  const std::vector<SchemeStudy>& studies = results.schemes;
  const std::vector<QuantityExtrapolation>& extrapolations = results.extrapolations;
  const std::vector<QuantityEstimators>& estimators = results.estimators;
  // Each chart drawn once: the page shows the very SVG of its file.
  const std::vector<OutputFile> charts = {
      {"erro.svg", svg_chart(error_chart(studies))},
      {"convergencia.svg", svg_chart(convergence_chart(studies))},
      {"orcamento.svg", svg_chart(budget_chart(studies))},
      {"ordens.svg", svg_chart(order_chart(studies))},
      {"perfil.svg", svg_chart(profile_chart(studies))},
      {"extrapolacoes.svg", svg_chart(extrapolation_chart(extrapolations))},
      {"estimadores.svg", svg_chart(estimator_chart(studies, estimators))}};
  std::vector<OutputFile> files = {
      {"malhas.csv", csv_table(studies)},
      {"malhas_excel.csv", csv_table(studies, kBrazilianSpreadsheetCsv)},
      {"malhas.txt", text_table(studies, extrapolations,
                                estimator_section(studies, estimators, run.least_squares_meshes))},
      {"extrapolacoes.csv", extrapolation_csv(extrapolations)},
      {"extrapolacoes_excel.csv", extrapolation_csv(extrapolations, kBrazilianSpreadsheetCsv)},
      {"estimadores.csv", estimator_csv(studies, estimators)},
      {"estimadores_excel.csv", estimator_csv(studies, estimators, kBrazilianSpreadsheetCsv)},
      {"estimadores_resumo.csv", estimator_summary_csv(estimators)},
      {"estimadores_resumo_excel.csv", estimator_summary_csv(estimators, kBrazilianSpreadsheetCsv)},
      {"estudo.html", study_page(run, studies, extrapolations, estimators, charts)}};
  files.insert(files.end(), charts.begin(), charts.end());
  return files;
}

}  // namespace malhas
