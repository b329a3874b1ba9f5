#pragma once
// The discrete fin equation: coefficients of the base, interior and tip nodes.
#include "fin/variaveis.h"

namespace fin {

// Node 1: T(1) = Tb.
void build_base_node(const GeneralInput& in, DiscreteSystem& s);

// Nodes 2..N-1: central difference of the fin equation, multiplied by dx².
void build_interior_nodes(const GeneralInput& in, const Mesh& mesh, DiscreteSystem& s);

// Node N, first-order one-sided difference of the convective tip condition.
void build_tip_uds(const GeneralInput& in, const Mesh& mesh, DiscreteSystem& s);

// Node N, second-order one-sided difference by deferred correction: the part that does not fit
// the tridiagonal matrix is taken from the current T(N-1) and T(N-2) into bp(N).
void build_tip_uds2(const GeneralInput& in, const Mesh& mesh, const NodeArray& T,
                    DiscreteSystem& s);

}  // namespace fin
