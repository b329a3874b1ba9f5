#pragma once
// Computing one fin case: the mesh and its system, the two ways of closing the tip, and the
// post-processing; and the sequence of a run of aleta around them.
#include "fin/solver.h"
#include "fin/variaveis.h"
#include "platform/files.h"

namespace fin {

// The whole run of aleta: the general input (opened in the editor first), the clock, the case,
// the report. Storage that cannot be had ends it with StorageUnavailable.
void run_processing(platform::FileSystem& files);

// Everything for in.N nodes and in.scheme (1 or 2; `iteration` is read only for 2; any other
// scheme solves nothing and leaves T at 0). Storage that cannot be had throws
// process::StorageUnavailable. Arithmetic faults trap or only raise their flags, as the calling
// thread's floating-point settings say.
Case compute_case(const GeneralInput& in, const IterationInput& iteration);

// dx, m, every node array of the case, the positions, and the base and interior equations.
Case prepare_case(const GeneralInput& in);

// UDS tip: one direct solve.
void solve_uds(const GeneralInput& in, Case& c);

// The UDS-2 deferred-correction iteration from T = T0, stopping when L1(c)/L1(0) < tol or after
// itmax solves; records the three norms of every iteration and sets it.
void solve_uds2(const GeneralInput& in, const IterationInput& iteration, Case& c);

// One solve of that iteration: the system is solved with the current tip row, the tip row is
// rebuilt from the new T, and the norms of the new residual are recorded.
void uds2_iteration(const GeneralInput& in, Case& c, TridiagonalSolver& solver);

// Ta at every node and the exact base heat rate qa, then qdds1 and qdds2 from T(1..3).
void post_process(const GeneralInput& in, Case& c);

// Ta and qa.
void analytical_solution(const GeneralInput& in, const Mesh& mesh, ExactSolution& exact);

// qdds1 and qdds2 by Fourier's law.
HeatRates numerical_heat_rates(const GeneralInput& in, const Mesh& mesh, const NodeArray& T);

}  // namespace fin
