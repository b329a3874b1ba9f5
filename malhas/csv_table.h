#pragma once
// malhas.csv: one row per scheme, mesh and quantity, for spreadsheets and scripts. UTF-8 text
// with LF line ends; numbers with 17 significant digits, so they read back to the same double.
#include <string>
#include <vector>

#include "malhas/analysis.h"

namespace malhas {

std::string csv_table(const std::vector<SchemeStudy>& studies);

}  // namespace malhas
