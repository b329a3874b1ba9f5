#pragma once
// malhas.csv and malhas_excel.csv: the study's table for spreadsheets and scripts, one row per
// scheme, mesh and quantity, in either dialect of the CSV writer. Numbers have 17 significant
// digits, so they read back to the same double.
#include <string>
#include <vector>

#include "malhas/presentation/csv_writer.h"
#include "malhas/verification/analysis.h"

namespace malhas {

std::string csv_table(const std::vector<SchemeStudy>& studies, const CsvDialect& dialect = kPlainCsv);

}  // namespace malhas
