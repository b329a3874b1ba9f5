#pragma once
// The discrete fin equation: coefficients of the base and interior nodes (each tip scheme builds
// its own row: tip_scheme.h).
#include "fin/real.h"
#include "fin/variaveis.h"

namespace fin {

// Node 1: T(1) = Tb.
template <typename Real>
void build_base_node(const FinProperties<Real>& fin, DiscreteSystem<Real>& s);

// Nodes 2..N-1: central difference of the fin equation, multiplied by dx², on at most
// `threads` threads.
template <typename Real>
void build_interior_nodes(const FinProperties<Real>& fin, Real m, const Mesh<Real>& mesh,
                          unsigned threads, DiscreteSystem<Real>& s);

// Compiled in coeficientes.cpp for each arithmetic of the core (fin/real.h) alone.
extern template decltype(build_base_node<double>) build_base_node<double>;
extern template decltype(build_base_node<Quad>) build_base_node<Quad>;
extern template decltype(build_interior_nodes<double>) build_interior_nodes<double>;
extern template decltype(build_interior_nodes<Quad>) build_interior_nodes<Quad>;

}  // namespace fin
