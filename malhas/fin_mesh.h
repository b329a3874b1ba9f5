#pragma once
// One mesh of a study computed by the fin model, with its faults held and judged afterwards.
#include "fin/variaveis.h"
#include "malhas/mesh_runner.h"

namespace malhas {

// The most nodes of a mesh's temperature profile kept for the plots.
constexpr std::int64_t kProfilePoints = 257;

// The case of `fin` with job.N nodes and job.scheme, computed with the floating-point traps
// off: invalid operation, division by zero and overflow raised on this thread, or storage that
// cannot be had, make the mesh failed. A completed mesh gets its quadruple-precision reference
// when `quad_reference` asks for it. Its storage is released before this returns.
MeshOutcome compute_fin_mesh(const fin::FinProperties<double>& fin,
                             const fin::IterationInput& iteration, const MeshJob& job,
                             bool quad_reference);

}  // namespace malhas
