#pragma once
// The report of a run of aleta.
#include <array>

#include "fin/variaveis.h"
#include "platform/files.h"

namespace aleta {

// What the report shows, and where.
struct ReportData {
  // The report file's name from entradas_geral.ent, blank-padded (or blank: see
  // textio::open_unit).
  const std::array<char, 100>& name;
  const fin::GeneralInput& input;
  const fin::IterationInput& iteration;
  const fin::Case<double>& result;
  double tempo;  // processing time [s]
};

// Writes the report to the file named by data.name, then opens it in the editor.
void write_report(platform::FileSystem& files, const ReportData& data);

}  // namespace aleta
