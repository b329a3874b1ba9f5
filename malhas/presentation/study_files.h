#pragma once
// The files a study presents its results in, each as its name and whole content.
#include <cstdint>
#include <string>
#include <vector>

#include "malhas/presentation/run_description.h"
#include "malhas/verification/analysis.h"
#include "malhas/verification/estimators.h"

namespace malhas {

struct OutputFile {
  std::string name;   // e.g. "malhas.csv"
  std::string bytes;  // the whole content
};

// malhas.csv, malhas.txt, extrapolacoes.csv, the uncertainty estimators' estimadores.csv and
// estimadores_resumo.csv (each CSV also for a spreadsheet in Portuguese), estudo.html (which
// tells `run`) and the charts; the least-squares estimator fits the meshes `run` says.
std::vector<OutputFile> study_files(const std::vector<SchemeStudy>& studies, const RunDescription& run);

}  // namespace malhas
