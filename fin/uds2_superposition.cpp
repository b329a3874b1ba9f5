#include "fin/uds2_superposition.h"

#include "fin/coeficientes.h"
#include "fin/pos_processamento.h"
#include "fin/processamento.h"
#include "fin/solver.h"
#include "fin/tip_scheme.h"

namespace fin {

template <typename Real>
Case<Real> compute_case_after_by_superposition(const FinProperties<double>& fin, std::int32_t N,
                                               double T0, std::int32_t iterations,
                                               std::int64_t profile_stride) {
  Case<Real> c = prepare_case<Real>(fin, {TipScheme::Uds2, N});
  NodeArray<Real>& T = c.solution.T;
  for (std::int64_t i = 1; i <= N; ++i) T[i] = T0;
  // The tip row of the uniform field: its correction k·(T0 - T0) is 0.
  build_tip_uds2(c.fin, c.mesh, T, c.system);
  TridiagonalSolver<Real> solver;
  if (iterations > 0) {
    DiscreteSystem<Real>& s = c.system;
    Real bp_tip = s.bp[N];  // the bp(N) of the first solve
    NodeArray<Real> B(N), unit(N);
    unit[N] = 1;
    solver.solve(s.ap, s.aw, s.ae, unit, B, N);
    s.bp[N] = 0;
    solver.solve(s.ap, s.aw, s.ae, s.bp, T, N);  // A, in T
    const Real constant = 2.0 * c.fin.h * c.fin.Tinf * c.mesh.dx;
    for (std::int32_t solve = 1; solve < iterations; ++solve) {
      const Real west = T[N - 1] + B[N - 1] * bp_tip, far_west = T[N - 2] + B[N - 2] * bp_tip;
      bp_tip = constant + c.fin.k * (west - far_west);
    }
    for (std::int64_t i = 1; i <= N; ++i) T[i] = T[i] + B[i] * bp_tip;
    s.bp[N] = bp_tip;
  }
  give_work_to_profile(solver, c);
  c.solution.it = iterations;
  post_process(c, profile_stride);
  return c;
}

template Case<double> compute_case_after_by_superposition(const FinProperties<double>&,
                                                          std::int32_t, double, std::int32_t,
                                                          std::int64_t);
template Case<Quad> compute_case_after_by_superposition(const FinProperties<double>&,
                                                        std::int32_t, double, std::int32_t,
                                                        std::int64_t);

}  // namespace fin
