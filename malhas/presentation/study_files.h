#pragma once
// The files a study presents its results in, each as its name and whole content.
#include <string>
#include <vector>

#include "malhas/verification/analysis.h"

namespace malhas {

struct OutputFile {
  std::string name;   // e.g. "malhas.csv"
  std::string bytes;  // the whole content
};

// malhas.csv, malhas_excel.csv, malhas.txt, extrapolacoes.csv and the six charts.
std::vector<OutputFile> study_files(const std::vector<SchemeStudy>& studies);

}  // namespace malhas
