#pragma once
// Post-processing: the exact solution and the heat rates at the base.
#include <cstdint>

#include "fin/variaveis.h"

namespace fin {

// Ta and the exact base heat rate qa, then qdds1 and qdds2 from T(1..3). Ta is computed at every
// node, or, for a caller that keeps only a sample of the profile (a mesh study), at every
// profile_stride-th node from the base and at the tip, the other nodes holding no exact value.
// Either way the run meets the faults a loop over every node meets: where a node between the
// sample could fault on its own, every node is computed.
template <typename Real>
void post_process(Case<Real>& c, std::int64_t profile_stride = 1);

// Ta at the nodes of `mesh` (every profile_stride-th, as post_process) and qa, for the fin
// parameter m. Where the direct form would overflow the scaled form of aleta_longa.h is taken;
// any other fault traps or only raises its flag, as the calling thread's settings say.
template <typename Real>
void analytical_solution(const FinProperties<Real>& fin, Real m, const Mesh<Real>& mesh,
                         std::int64_t profile_stride, ExactSolution<Real>& exact);

// qdds1 and qdds2 by Fourier's law.
template <typename Real>
HeatRates<Real> numerical_heat_rates(const FinProperties<Real>& fin, const Mesh<Real>& mesh,
                                     const NodeArray<Real>& T);

}  // namespace fin
