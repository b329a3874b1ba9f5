#include "fin/processamento.h"

#include <algorithm>
#include <utility>

#include "fin/coeficientes.h"
#include "fin/node_halves.h"
#include "fin/pos_processamento.h"
#include "fin/tip_scheme.h"
#include "process/held_fp_traps.h"

namespace fin {
namespace {

// One solve of the system as built, from its work storage, which then holds the exact profile.
template <typename Real>
void solve_once(Case<Real>& c) {
  const DiscreteSystem<Real>& s = c.system;
  TridiagonalSolver<Real> solver(c.threads);
  solver.solve(s.ap, s.aw, s.ae, s.bp, c.solution.T, c.mesh.N);
  give_work_to_profile(solver, c);
}

}  // namespace

template <typename Real>
Case<Real> compute_case(const FinProperties<double>& fin, CaseSpec mesh_choice,
                        const IterationInput& iteration, CaseOptions options) {
  Case<Real> c = solve_case<Real>(fin, mesh_choice, [&iteration] { return iteration; }, options);
  post_process(c);
  return c;
}

template <typename Real>
Case<Real> compute_case_after(const FinProperties<double>& fin, CaseSpec mesh_choice, double T0,
                              std::int32_t solves, CaseOptions options) {
  Case<Real> c = prepare_case<Real>(fin, mesh_choice, options);
  functions<Real>(c.scheme).solve_after(c, T0, solves);
  post_process(c);
  return c;
}

template <typename Real>
Case<Real> compute_converged_case(const FinProperties<double>& fin, CaseSpec mesh_choice,
                                  CaseOptions options) {
  Case<Real> c = prepare_case<Real>(fin, mesh_choice, options);
  functions<Real>(c.scheme).converged_tip_row(c.fin, c.mesh, c.system);
  solve_once(c);
  c.solution.converged = true;
  post_process(c);
  return c;
}

template <typename Real>
Case<Real> solve_case(const FinProperties<double>& fin, CaseSpec mesh_choice,
                      const IterationControls& iteration, CaseOptions options) {
  Case<Real> c = prepare_case<Real>(fin, mesh_choice, options);
  if (iterates(mesh_choice.scheme)) {
    solve_iterated(iteration(), c);
  } else {
    solve_direct(c);
  }
  return c;
}

template <typename Real>
Case<Real> prepare_case(const FinProperties<double>& fin, CaseSpec mesh_choice,
                        CaseOptions options) {
  Case<Real> c;
  c.scheme = mesh_choice.scheme;
  c.threads = options.threads;
  c.fin = converted<Real>(fin);
  Mesh<Real>& mesh = c.mesh;
  mesh.N = mesh_choice.N;
  mesh.dx = mesh_spacing(c.fin.L, mesh_choice.N);
  c.m = fin_parameter(c.fin);
  DiscreteSystem<Real>& s = c.system;
  c.exact.nodes = {mesh_choice.N, std::max<std::int64_t>(1, options.profile_stride)};
  // All are created before any work, so that storage the case cannot have is refused first. The
  // pages of those written next are put in place together; Ta's are those of the solver's work
  // array once the solve is done (give_work_to_profile), so that the two are never resident at
  // once and no pages are given back only to be obtained again.
  for (NodeArray<Real>* a : {&s.aw, &s.ae, &s.bp, &c.solution.T, &mesh.x, &s.ap}) {
    a->create(mesh_choice.N, process::Pages::later);
  }
  c.exact.Ta.create(c.exact.nodes.count(), process::Pages::later);
  NodeArray<Real>::populate_together({&s.aw, &s.ae, &s.bp, &c.solution.T, &mesh.x, &s.ap},
                                      c.threads);
  const auto positions = [&mesh](std::int64_t first, std::int64_t last) {
    for (std::int64_t i = first; i <= last; ++i) mesh.x[i] = static_cast<Real>(i - 1) * mesh.dx;
  };
  for_nodes_in_halves(1, mesh.N, NodeCost::memory, c.threads, positions);
  build_base_node(c.fin, s);
  build_interior_nodes(c.fin, c.m, mesh, c.threads, s);
  return c;
}

template <typename Real>
void give_work_to_profile(TridiagonalSolver<Real>& solver, Case<Real>& c) {
  NodeArray<Real> work = solver.release_work();
  if (work.size() == c.exact.Ta.size()) {
    c.exact.Ta = std::move(work);
  } else {
    c.exact.Ta.populate(c.threads);
  }
}

template <typename Real>
void solve_direct(Case<Real>& c) {
  functions<Real>(c.scheme).tip_row(c.fin, c.mesh, c.solution.T, c.system);
  solve_once(c);
}

namespace {

template <typename Real>
void record_norms(Case<Real>& c) {
  Solution<Real>& solution = c.solution;
  const DiscreteSystem<Real>& s = c.system;
  const ResidualNorms<Real> norms = residual_norms(s.ap, s.aw, s.ae, s.bp, solution.T, c.mesh.N);
  solution.L1.append(norms.l1, c.threads);
  solution.L2.append(norms.l2, c.threads);
  solution.Linf.append(norms.linf, c.threads);
}

}  // namespace

template <typename Real>
void deferred_correction_step(Case<Real>& c, TridiagonalSolver<Real>& solver) {
  DiscreteSystem<Real>& s = c.system;
  solver.solve(s.ap, s.aw, s.ae, s.bp, c.solution.T, c.mesh.N);
  functions<Real>(c.scheme).tip_row(c.fin, c.mesh, c.solution.T, s);
  record_norms(c);
}

template <typename Real>
void solve_iterated(const IterationInput& iteration, Case<Real>& c) {
  Solution<Real>& solution = c.solution;
  const Real T0 = iteration.T0;
  const Real tol = iteration.tol;
  for (std::int64_t i = 1; i <= c.mesh.N; ++i) solution.T[i] = T0;
  // The correction term is 0 for the uniform field.
  functions<Real>(c.scheme).tip_row(c.fin, c.mesh, solution.T, c.system);
  record_norms(c);
  // 64-bit counter: it passes itmax by one when the iteration does not converge.
  std::int64_t count = 1;
  TridiagonalSolver<Real> solver(c.threads);  // one work storage for every solve; given back
                                              // when done
  for (; count <= iteration.itmax; ++count) {
    deferred_correction_step(c, solver);
    if (solution.L1[count] / solution.L1[0] < tol) break;
  }
  give_work_to_profile(solver, c);
  solution.it = static_cast<std::int32_t>(std::min<std::int64_t>(iteration.itmax, count));
  if (iteration.itmax > 0) {
    solution.converged = count <= iteration.itmax;  // the loop ended on the tolerance
  } else {
    // No solve was made, so no ratio was tested. Testing it here never ends a run: a fault of
    // this quotient is the report's to meet, where it writes it.
    const process::HeldFpTraps held;
    solution.converged = solution.final_l1() < tol;
  }
}

template decltype(compute_case<double>) compute_case<double>;
template decltype(compute_case<Quad>) compute_case<Quad>;
template decltype(compute_case_after<double>) compute_case_after<double>;
template decltype(compute_case_after<Quad>) compute_case_after<Quad>;
template decltype(compute_converged_case<double>) compute_converged_case<double>;
template decltype(compute_converged_case<Quad>) compute_converged_case<Quad>;
template decltype(solve_case<double>) solve_case<double>;
template decltype(solve_case<Quad>) solve_case<Quad>;
template decltype(prepare_case<double>) prepare_case<double>;
template decltype(prepare_case<Quad>) prepare_case<Quad>;
template decltype(give_work_to_profile<double>) give_work_to_profile<double>;
template decltype(give_work_to_profile<Quad>) give_work_to_profile<Quad>;
template decltype(solve_direct<double>) solve_direct<double>;
template decltype(solve_direct<Quad>) solve_direct<Quad>;
template decltype(solve_iterated<double>) solve_iterated<double>;
template decltype(solve_iterated<Quad>) solve_iterated<Quad>;
template decltype(deferred_correction_step<double>) deferred_correction_step<double>;
template decltype(deferred_correction_step<Quad>) deferred_correction_step<Quad>;

}  // namespace fin
