#pragma once
// malhas.txt: the study's table for people, in Portuguese, as Windows-1252 text with CR LF line
// ends like the report of aleta: a summary of the best extrapolated estimates, the tables of
// each scheme and quantity, and the repeated Richardson extrapolation.
#include <string>
#include <string_view>
#include <vector>

#include "malhas/verification/analysis.h"
#include "malhas/verification/extrapolations.h"

namespace malhas {

// The lines that say how to read the tables, with which malhas.txt ends.
std::vector<std::string_view> table_legend();

// `estimators` is the section of the uncertainty estimators (UTF-8, LF), put after the
// extrapolation.
std::string text_table(const std::vector<SchemeStudy>& studies,
                       const std::vector<QuantityExtrapolation>& extrapolations,
                       const std::string& estimators = {});

}  // namespace malhas
