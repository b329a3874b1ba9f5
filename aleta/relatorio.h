#pragma once
// The report of a run of aleta.
#include "fin/variaveis.h"
#include "platform/files.h"

namespace aleta {

// What the report shows.
struct ReportData {
  const fin::GeneralInput& input;
  const fin::IterationInput& iteration;
  const fin::Case<double>& result;
  double tempo;  // processing time [s]
};

// Writes the report to the file named by saida, then opens it in the editor.
void write_report(platform::FileSystem& files, const ReportData& data);

}  // namespace aleta
