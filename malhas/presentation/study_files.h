#pragma once
// The files a study presents its results in, each as its name and whole content.
#include <string>
#include <vector>

#include "malhas/presentation/run_description.h"
#include "malhas/verification/analysis.h"

namespace malhas {

struct OutputFile {
  std::string name;   // e.g. "malhas.csv"
  std::string bytes;  // the whole content
};

// malhas.csv, malhas_excel.csv, malhas.txt, extrapolacoes.csv, estudo.html (which tells `run`)
// and the five charts.
std::vector<OutputFile> study_files(const std::vector<SchemeStudy>& studies, const RunDescription& run);

}  // namespace malhas
