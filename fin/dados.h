#pragma once
// The case's files: the two input files and the report.
#include "fin/variaveis.h"

namespace fin {

// Opens "entradas_geral.ent" in the editor, then reads saida, Tb, Tinf, h, k, Ab, P, L, N and
// scheme from it, one value per line. Rejects a mesh the computation cannot hold.
void read_general_input(CaseRecord& c);

// Opens "entradas_uds.ent" in the editor, then reads itmax, tol and T0 from it.
void read_iteration_input(CaseRecord& c);

// Writes the report to the file named by saida, then opens it in the editor.
void write_report(CaseRecord& c);

}  // namespace fin
