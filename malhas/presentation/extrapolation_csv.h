#pragma once
// extrapolacoes.csv and extrapolacoes_excel.csv: one row per scheme, quantity, arithmetic, mesh
// and level of the repeated Richardson extrapolation, for spreadsheets and scripts, in either
// dialect of the CSV writer. Double numbers have 17 significant digits and quadruple ones 36, so
// that they read back to the same value. An error within the reference's resolution is left
// empty, with the resolution in the notes.
#include <string>
#include <vector>

#include "malhas/presentation/csv_writer.h"
#include "malhas/verification/extrapolations.h"

namespace malhas {

std::string extrapolation_csv(const std::vector<QuantityExtrapolation>& extrapolations,
                              const CsvDialect& dialect = kPlainCsv);

}  // namespace malhas
