#pragma once
// The summary of estudo.html: for each scheme and quantity, in words and numbers, the finest
// mesh's value and true error, the error budget there and which part dominates, where round-off
// (or iteration) weighs, the observed orders against p_L and the best extrapolated value. Each
// number is the text of a table cell, marked with its CSV column (data-col) and mesh (data-n).
#include <vector>

#include "malhas/presentation/html.h"
#include "malhas/verification/analysis.h"
#include "malhas/verification/extrapolations.h"

namespace malhas {

PageSection summary_section(const std::vector<SchemeStudy>& studies,
                            const std::vector<QuantityExtrapolation>& extrapolations);

}  // namespace malhas
