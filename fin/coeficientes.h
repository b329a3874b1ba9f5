#pragma once
// The discrete fin equation: coefficients of the base, interior and tip nodes.
#include "fin/variaveis.h"

namespace fin {

// Node 1: T(1) = Tb.
template <typename Real>
void build_base_node(const FinProperties<Real>& fin, DiscreteSystem<Real>& s);

// Nodes 2..N-1: central difference of the fin equation, multiplied by dx².
template <typename Real>
void build_interior_nodes(const FinProperties<Real>& fin, Real m, const Mesh<Real>& mesh,
                          DiscreteSystem<Real>& s);

// Node N, first-order one-sided difference of the convective tip condition (T is not read).
template <typename Real>
void build_tip_uds(const FinProperties<Real>& fin, const Mesh<Real>& mesh,
                   const NodeArray<Real>& T, DiscreteSystem<Real>& s);

// Node N, second-order one-sided difference by deferred correction: the part that does not fit
// the tridiagonal matrix is taken from the current T(N-1) and T(N-2) into bp(N).
template <typename Real>
void build_tip_uds2(const FinProperties<Real>& fin, const Mesh<Real>& mesh,
                    const NodeArray<Real>& T, DiscreteSystem<Real>& s);

// Node N of the fixed point of that iteration: the second-order row with T(N-2) eliminated by
// the row of node N-1, T(N-2) = ap(N-1)·T(N-1) - T(N) - bp(N-1), which keeps the system
// tridiagonal:
//   (2k + 2h·dx)·T(N) = k·(4 - ap(N-1))·T(N-1) + 2h·Tinf·dx + k·bp(N-1).
// Needs N >= 3 and the interior rows built.
template <typename Real>
void build_tip_uds2_converged(const FinProperties<Real>& fin, const Mesh<Real>& mesh,
                              DiscreteSystem<Real>& s);

}  // namespace fin
