#pragma once
// The discrete fin equation: coefficients of the base, interior and tip nodes.
#include "fin/variaveis.h"

namespace fin {

// Node 1: T(1) = Tb.
void build_base_node(CaseRecord& c);

// Nodes 2..N-1: central difference of the fin equation, multiplied by dx².
void build_interior_nodes(CaseRecord& c);

// Node N, first-order one-sided difference of the convective tip condition.
void build_tip_uds(CaseRecord& c);

// Node N, second-order one-sided difference by deferred correction: the part that does not fit
// the tridiagonal matrix is taken from the current T(N-1) and T(N-2) into bp(N).
void build_tip_uds2(CaseRecord& c);

}  // namespace fin
