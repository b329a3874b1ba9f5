#include "fin/coeficientes.h"

#include "fin/node_halves.h"
#include "fin/real.h"

// Every product is formed left to right as written, so that results are reproducible bit for bit.

namespace fin {

template <typename Real>
void build_base_node(const FinProperties<Real>& fin, DiscreteSystem<Real>& s) {
  s.aw[1] = 0.0;
  s.ae[1] = 0.0;
  s.ap[1] = 1.0;
  s.bp[1] = fin.Tb;
}

template <typename Real>
void build_interior_nodes(const FinProperties<Real>& fin, Real m, const Mesh<Real>& mesh,
                          unsigned threads, DiscreteSystem<Real>& s) {
  if (mesh.N < 3) return;
  const Real dx = mesh.dx;
  // Computed once at node 2 and copied, so every interior row is bit-identical.
  s.aw[2] = 1.0;
  s.ae[2] = 1.0;
  s.ap[2] = dx * dx * m * m + 2.0;
  s.bp[2] = fin.Tinf * dx * dx * m * m;
  const auto copy_row_2 = [&s](std::int64_t first, std::int64_t last) {
    for (std::int64_t i = first; i <= last; ++i) {
      s.aw[i] = s.aw[2];
      s.ae[i] = s.ae[2];
      s.ap[i] = s.ap[2];
      s.bp[i] = s.bp[2];
    }
  };
  for_nodes_in_halves(3, mesh.N - 1, NodeCost::memory, threads, copy_row_2);
}

template decltype(build_base_node<double>) build_base_node<double>;
template decltype(build_base_node<Quad>) build_base_node<Quad>;
template decltype(build_interior_nodes<double>) build_interior_nodes<double>;
template decltype(build_interior_nodes<Quad>) build_interior_nodes<Quad>;

}  // namespace fin
