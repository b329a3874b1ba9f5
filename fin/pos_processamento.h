#pragma once
// Post-processing: the exact solution and the heat rates at the base.
#include <cstdint>

#include "fin/real.h"
#include "fin/variaveis.h"

namespace fin {

// Ta and the exact base heat rate qa, then qdds1 and qdds2 from T(1..3). Ta holds the exact
// temperatures at c.exact.nodes alone: every node, or, for a caller that keeps only a sample of
// the profile (a mesh study), every stride-th node from the base and the tip. Either way the run
// meets the faults a loop over every node meets: where a node between the sample could fault on
// its own, every node is computed, and the sample kept.
template <typename Real>
void post_process(Case<Real>& c);

// exact.Ta at exact.nodes of `mesh` (as post_process) and exact.qa, for the fin parameter m, on
// at most `threads` threads; exact.Ta holds exact.nodes.count() values. Where the direct form
// would overflow the scaled form of aleta_longa.h is taken; any other fault traps or only raises
// its flag, as the calling thread's settings say.
template <typename Real>
void analytical_solution(const FinProperties<Real>& fin, Real m, const Mesh<Real>& mesh,
                         unsigned threads, ExactSolution<Real>& exact);

// qdds1 and qdds2 by Fourier's law.
template <typename Real>
HeatRates<Real> numerical_heat_rates(const FinProperties<Real>& fin, const Mesh<Real>& mesh,
                                     const NodeArray<Real>& T);

// Compiled in pos_processamento.cpp for each arithmetic of the core (fin/real.h) alone.
extern template decltype(post_process<double>) post_process<double>;
extern template decltype(post_process<Quad>) post_process<Quad>;
extern template decltype(analytical_solution<double>) analytical_solution<double>;
extern template decltype(analytical_solution<Quad>) analytical_solution<Quad>;
extern template decltype(numerical_heat_rates<double>) numerical_heat_rates<double>;
extern template decltype(numerical_heat_rates<Quad>) numerical_heat_rates<Quad>;

}  // namespace fin
