#pragma once
// estudo.html: the whole study on one page, in Portuguese, which any current browser opens by a
// double click with nothing else: what was run, a summary of the findings per scheme and
// quantity, the charts (the very SVG of the chart files, set inline), the tables of malhas.txt
// and of the repeated extrapolation, the uncertainty estimators judged against the true error,
// and the study's files with how to read them. CSS inline, no script, nothing loaded from
// elsewhere, and nothing that changes between runs of one study.
#include <string>
#include <vector>

#include "malhas/presentation/run_description.h"
#include "malhas/presentation/study_files.h"
#include "malhas/verification/analysis.h"
#include "malhas/verification/estimators.h"
#include "malhas/verification/extrapolations.h"

namespace malhas {

// `charts` are the chart files of the study, in the order the page shows them.
std::string study_page(const RunDescription& run, const std::vector<SchemeStudy>& studies,
                       const std::vector<QuantityExtrapolation>& extrapolations,
                       const std::vector<QuantityEstimators>& estimators,
                       const std::vector<OutputFile>& charts);

}  // namespace malhas
