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
                          DiscreteSystem<Real>& s) {
  if (mesh.N < 3) return;
  const Real dx = mesh.dx;
  // Computed once at node 2 and copied, so every interior row is bit-identical.
  s.aw[2] = 1.0;
  s.ae[2] = 1.0;
  s.ap[2] = dx * dx * m * m + 2.0;
  s.bp[2] = fin.Tinf * dx * dx * m * m;
  for_nodes_in_halves(3, mesh.N - 1, NodeCost::memory, [&s](std::int64_t first, std::int64_t last) {
    for (std::int64_t i = first; i <= last; ++i) {
      s.aw[i] = s.aw[2];
      s.ae[i] = s.ae[2];
      s.ap[i] = s.ap[2];
      s.bp[i] = s.bp[2];
    }
  });
}

template <typename Real>
void build_tip_uds(const FinProperties<Real>& fin, const Mesh<Real>& mesh,
                   const NodeArray<Real>&, DiscreteSystem<Real>& s) {
  const std::int32_t n = mesh.N;
  s.aw[n] = fin.k;
  s.ae[n] = 0.0;
  s.ap[n] = fin.h * mesh.dx + fin.k;
  s.bp[n] = fin.h * fin.Tinf * mesh.dx;
}

template <typename Real>
void build_tip_uds2(const FinProperties<Real>& fin, const Mesh<Real>& mesh,
                    const NodeArray<Real>& T, DiscreteSystem<Real>& s) {
  const std::int32_t n = mesh.N;
  s.aw[n] = 3.0 * fin.k;
  s.ae[n] = 0.0;
  s.ap[n] = 3.0 * fin.k + fin.h * mesh.dx * 2.0;
  s.bp[n] = 2.0 * fin.h * fin.Tinf * mesh.dx + fin.k * (T[n - 1] - T[n - 2]);
}

template <typename Real>
void build_tip_uds2_converged(const FinProperties<Real>& fin, const Mesh<Real>& mesh,
                              DiscreteSystem<Real>& s) {
  const std::int32_t n = mesh.N;
  s.aw[n] = fin.k * (4.0 - s.ap[n - 1]);
  s.ae[n] = 0.0;
  s.ap[n] = 2.0 * fin.k + fin.h * mesh.dx * 2.0;
  s.bp[n] = 2.0 * fin.h * fin.Tinf * mesh.dx + fin.k * s.bp[n - 1];
}

#define ALETA_INSTANTIATE(Real)                                                                 \
  template void build_base_node(const FinProperties<Real>&, DiscreteSystem<Real>&);             \
  template void build_interior_nodes(const FinProperties<Real>&, Real, const Mesh<Real>&,       \
                                     DiscreteSystem<Real>&);                                    \
  template void build_tip_uds(const FinProperties<Real>&, const Mesh<Real>&,                    \
                              const NodeArray<Real>&, DiscreteSystem<Real>&);                   \
  template void build_tip_uds2(const FinProperties<Real>&, const Mesh<Real>&,                   \
                               const NodeArray<Real>&, DiscreteSystem<Real>&);                  \
  template void build_tip_uds2_converged(const FinProperties<Real>&, const Mesh<Real>&,         \
                                         DiscreteSystem<Real>&);
ALETA_INSTANTIATE(double)
ALETA_INSTANTIATE(Quad)
#undef ALETA_INSTANTIATE

}  // namespace fin
