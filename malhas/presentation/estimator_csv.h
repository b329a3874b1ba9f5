#pragma once
// The uncertainty estimators for spreadsheets and scripts, in the two dialects of malhas.csv:
// - estimadores.csv: one row per scheme, quantity, estimator and mesh, with the estimate of the
//   exact value, U, u_num and the effectivities U/|E| and U/|E_discretizacao|;
// - estimadores_resumo.csv: one row per scheme, quantity, estimator, error and set of meshes,
//   with the meshes judged, those on which U >= |E|, and the median of U/|E|.
#include <string>
#include <vector>

#include "malhas/presentation/csv_writer.h"
#include "malhas/verification/estimators.h"

namespace malhas {

std::string estimator_csv(const std::vector<SchemeStudy>& studies,
                          const std::vector<QuantityEstimators>& estimators,
                          const CsvDialect& dialect = kPlainCsv);

std::string estimator_summary_csv(const std::vector<QuantityEstimators>& estimators,
                                  const CsvDialect& dialect = kPlainCsv);

}  // namespace malhas
