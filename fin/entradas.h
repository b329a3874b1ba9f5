#pragma once
// The case's two input files, read one value per line through a file system the caller names.
// A value that cannot be read, or that the computation cannot take, is returned as the run-time
// error a program reports for it; nothing here ends the run.
#include <array>
#include <string_view>

#include "fin/variaveis.h"
#include "platform/files.h"
#include "process/run_time_error_report.h"

namespace fin {

inline constexpr std::string_view kGeneralInputFile = "entradas_geral.ent";
inline constexpr std::string_view kIterationInputFile = "entradas_uds.ent";

// What entradas_geral.ent holds: first the name of aleta's report, which the case itself does
// not use (blank-padded; 100 NULs until a value is read), then the case.
struct GeneralInputFile {
  std::array<char, 100> report_name{};
  GeneralInput input;
};

// Reads the report name, Tb, Tinf, h, k, Ab, P, L, N and scheme from "entradas_geral.ent" (a
// missing file is created empty). Rejects a mesh the computation cannot hold and a number that
// names no tip scheme.
process::ValueOrError<GeneralInputFile> read_general_input(platform::FileSystem& files);

// Reads itmax, tol and T0 from "entradas_uds.ent".
process::ValueOrError<IterationInput> read_iteration_input(platform::FileSystem& files);

}  // namespace fin
