#pragma once
// The processing sequence of one run and the two ways of closing the tip.
#include "fin/solver.h"
#include "fin/variaveis.h"

namespace fin {

// The whole run: read the general input, time and solve the case, post-process and report.
void run_processing(CaseRecord& c);

// dx, m, the node arrays and positions, and the base and interior equations.
void build_mesh(CaseRecord& c);

// UDS tip: one direct solve.
void solve_uds(CaseRecord& c);

// UDS-2 tip: reads the iteration input, then iterates.
void solve_uds2(CaseRecord& c);

// The UDS-2 deferred-correction iteration from T = T0, stopping when L1(c)/L1(0) < tol or after
// itmax solves; records the three norms of every iteration and sets it.
void iterate_uds2(CaseRecord& c);

// One solve of that iteration: the system is solved with the current tip row, the tip row is
// rebuilt from the new T, and the norms of the new residual are recorded.
void uds2_iteration(CaseRecord& c, TridiagonalSolver& solver);

// Analytical solution, numerical heat rates, then the report.
void post_process(CaseRecord& c);

// Ta at every node and the exact base heat rate qa.
void analytical_solution(CaseRecord& c);

// qdds1 and qdds2 from T(1..3) by Fourier's law.
void numerical_heat_rates(CaseRecord& c);

}  // namespace fin
