#pragma once
// Post-processing: the exact solution and the heat rates at the base.
#include "fin/variaveis.h"

namespace fin {

// Ta at every node and the exact base heat rate qa, then qdds1 and qdds2 from T(1..3).
template <typename Real>
void post_process(Case<Real>& c);

// Ta at the nodes of `mesh` and qa, for the fin parameter m. In double, an overflow of sinh or
// cosh that counts ends the run as the function's error; in quadruple precision it only
// raises its flag.
template <typename Real>
void analytical_solution(const FinProperties<Real>& fin, Real m, const Mesh<Real>& mesh,
                         ExactSolution<Real>& exact);

// qdds1 and qdds2 by Fourier's law.
template <typename Real>
HeatRates<Real> numerical_heat_rates(const FinProperties<Real>& fin, const Mesh<Real>& mesh,
                                     const NodeArray<Real>& T);

}  // namespace fin
