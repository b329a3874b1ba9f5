#pragma once
// The case's two input files, read one value per line through a file system the caller names.
#include <string_view>

#include "fin/variaveis.h"
#include "platform/files.h"

namespace fin {

inline constexpr std::string_view kGeneralInputFile = "entradas_geral.ent";
inline constexpr std::string_view kIterationInputFile = "entradas_uds.ent";

// Reads saida, Tb, Tinf, h, k, Ab, P, L, N and scheme from "entradas_geral.ent". Rejects a mesh
// the computation cannot hold and a number that names no tip scheme.
GeneralInput read_general_input(platform::FileSystem& files);

// Reads itmax, tol and T0 from "entradas_uds.ent".
IterationInput read_iteration_input(platform::FileSystem& files);

}  // namespace fin
