#include "fin/tip_uds2.h"

#include "fin/processamento.h"
#include "fin/solver.h"

namespace fin {

template <typename Real>
void Uds2Tip<Real>::row(const FinProperties<Real>& fin, const Mesh<Real>& mesh,
                        const NodeArray<Real>& T, DiscreteSystem<Real>& s) {
  const std::int32_t n = mesh.N;
  s.aw[n] = 3.0 * fin.k;
  s.ae[n] = 0.0;
  s.ap[n] = 3.0 * fin.k + fin.h * mesh.dx * 2.0;
  s.bp[n] = correction_bp(fin, mesh.dx, T[n - 1], T[n - 2]);
}

template <typename Real>
Real Uds2Tip<Real>::correction_bp(const FinProperties<Real>& fin, Real dx, Real west,
                                  Real far_west) {
  return 2.0 * fin.h * fin.Tinf * dx + fin.k * (west - far_west);
}

template <typename Real>
void Uds2Tip<Real>::converged_row(const FinProperties<Real>& fin, const Mesh<Real>& mesh,
                                  DiscreteSystem<Real>& s) {
  const std::int32_t n = mesh.N;
  s.aw[n] = fin.k * (4.0 - s.ap[n - 1]);
  s.ae[n] = 0.0;
  s.ap[n] = 2.0 * fin.k + fin.h * mesh.dx * 2.0;
  s.bp[n] = 2.0 * fin.h * fin.Tinf * mesh.dx + fin.k * s.bp[n - 1];
}

template <typename Real>
void Uds2Tip<Real>::solve_after(Case<Real>& c, double T0, std::int32_t solves) {
  const std::int32_t N = c.mesh.N;
  NodeArray<Real>& T = c.solution.T;
  for (std::int64_t i = 1; i <= N; ++i) T[i] = T0;
  // The tip row of the uniform field: its correction k·(T0 - T0) is 0.
  row(c.fin, c.mesh, T, c.system);
  TridiagonalSolver<Real> solver(c.threads);
  if (solves > 0) {
    DiscreteSystem<Real>& s = c.system;
    Real bp_tip = s.bp[N];  // the bp(N) of the first solve
    NodeArray<Real> B(N, c.threads), unit(N, c.threads);
    unit[N] = 1;
    solver.solve(s.ap, s.aw, s.ae, unit, B, N);
    s.bp[N] = 0;
    solver.solve(s.ap, s.aw, s.ae, s.bp, T, N);  // A, in T
    for (std::int32_t solve = 1; solve < solves; ++solve) {
      bp_tip = correction_bp(c.fin, c.mesh.dx, T[N - 1] + B[N - 1] * bp_tip,
                             T[N - 2] + B[N - 2] * bp_tip);
    }
    for (std::int64_t i = 1; i <= N; ++i) T[i] = T[i] + B[i] * bp_tip;
    s.bp[N] = bp_tip;
  }
  give_work_to_profile(solver, c);
  c.solution.it = solves;
}

template struct Uds2Tip<double>;
template struct Uds2Tip<Quad>;

}  // namespace fin
