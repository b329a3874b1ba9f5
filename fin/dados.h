#pragma once
// The case's files: the two input files and the report, and the editor they are shown in.
#include <string_view>

#include "fin/variaveis.h"
#include "platform/files.h"

namespace fin {

inline constexpr std::string_view kGeneralInputFile = "entradas_geral.ent";
inline constexpr std::string_view kIterationInputFile = "entradas_uds.ent";

// Runs "notepad" on `file` through the command interpreter and waits for it, so that the user
// can check or change it. Whether the editor ran is not examined: the run goes on regardless.
void open_in_editor(std::string_view file);

// Reads saida, Tb, Tinf, h, k, Ab, P, L, N and scheme from "entradas_geral.ent", one value per
// line, through `files` (the operating system's by default). Rejects a mesh the computation
// cannot hold and a tip scheme other than 1 or 2.
GeneralInput read_general_input(platform::FileSystem& files = platform::native_file_system());

// Reads itmax, tol and T0 from "entradas_uds.ent".
IterationInput read_iteration_input(platform::FileSystem& files = platform::native_file_system());

// What the report shows.
struct ReportData {
  const GeneralInput& input;
  const IterationInput& iteration;
  const Case& result;
  double tempo;  // processing time [s]
};

// Writes the report to the file named by saida, then opens it in the editor.
void write_report(platform::FileSystem& files, const ReportData& data);

}  // namespace fin
