#pragma once
// The files a study presents its results in, each as its name and whole content.
#include <string>
#include <vector>

#include "malhas/presentation/run_description.h"
#include "malhas/verification/study_results.h"

namespace malhas {

struct OutputFile {
  std::string name;   // e.g. "malhas.csv"
  std::string bytes;  // the whole content
};

// malhas.csv, malhas.txt, extrapolacoes.csv, the uncertainty estimators' estimadores.csv and
// estimadores_resumo.csv (each CSV also for a spreadsheet in Portuguese), estudo.html (which
// tells `run`) and the charts.
std::vector<OutputFile> study_files(const StudyResults& results, const RunDescription& run);

}  // namespace malhas
