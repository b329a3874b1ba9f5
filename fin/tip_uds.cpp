#include "fin/tip_uds.h"

#include "fin/processamento.h"

namespace fin {

template <typename Real>
void UdsTip<Real>::row(const FinProperties<Real>& fin, const Mesh<Real>& mesh,
                       const NodeArray<Real>&, DiscreteSystem<Real>& s) {
  const std::int32_t n = mesh.N;
  s.aw[n] = fin.k;
  s.ae[n] = 0.0;
  s.ap[n] = fin.h * mesh.dx + fin.k;
  s.bp[n] = fin.h * fin.Tinf * mesh.dx;
}

template <typename Real>
void UdsTip<Real>::converged_row(const FinProperties<Real>& fin, const Mesh<Real>& mesh,
                                 DiscreteSystem<Real>& s) {
  row(fin, mesh, NodeArray<Real>(), s);
}

template <typename Real>
void UdsTip<Real>::solve_after(Case<Real>& c, double, std::int32_t) {
  solve_direct(c);
}

template struct UdsTip<double>;
template struct UdsTip<Quad>;

}  // namespace fin
