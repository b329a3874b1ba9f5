#pragma once
// Computing one fin case in either arithmetic: the mesh and its system, the solve its tip
// scheme calls for, and the post-processing. These are the entry points a program uses.
#include <cstdint>
#include <functional>

#include "fin/real.h"
#include "fin/solver.h"
#include "fin/variaveis.h"

namespace fin {

// The spacing of N nodes over a fin of length L, node 1 at the base and node N at the tip.
template <typename Real>
Real mesh_spacing(Real L, std::int32_t N) {
  return L / static_cast<Real>(N - 1);
}

// The fin parameter m = sqrt(h·P/(k·Ab)), in the grouping every case computes it with.
template <typename Real>
Real fin_parameter(const FinProperties<Real>& fin) {
  return RealTraits<Real>::sqrt(fin.P / (fin.Ab * fin.k) * fin.h);
}

// The controls of an iteration, asked for only by a scheme that iterates (aleta lets the user
// edit them first, after the case's arrays are created).
using IterationControls = std::function<IterationInput()>;

// Everything for `mesh_choice`: prepared, solved and post-processed, with the exact profile at
// the nodes `options` asks for (see post_process). Storage that cannot be had throws
// process::StorageUnavailable. Arithmetic faults trap or only raise their flags, as the calling
// thread's floating-point settings say.
template <typename Real>
Case<Real> compute_case(const FinProperties<double>& fin, CaseSpec mesh_choice,
                        const IterationInput& iteration, CaseOptions options = {});

// The case of `mesh_choice` after exactly `solves` solves from the uniform field T0, whatever
// the norms do: the case a double run that made that many is compared with. Its scheme gives the
// solution (for a scheme that does not iterate, its one direct solve); no residual norms are
// recorded, so its final_l1() must not be asked for. The exact profile as compute_case computes
// it.
template <typename Real>
Case<Real> compute_case_after(const FinProperties<double>& fin, CaseSpec mesh_choice, double T0,
                              std::int32_t solves, CaseOptions options = {});

// The solution the scheme of `mesh_choice` converges to, with no iteration error, by one solve
// with its converged tip row (N >= 3). Its iteration count is 0 and it is marked converged. The
// exact profile as compute_case computes it.
template <typename Real>
Case<Real> compute_converged_case(const FinProperties<double>& fin, CaseSpec mesh_choice,
                                  CaseOptions options = {});

// The first two steps of a case: prepare_case, then the solve of its scheme (solve_direct, or
// solve_iterated with the controls `iteration` gives). post_process is the third.
template <typename Real>
Case<Real> solve_case(const FinProperties<double>& fin, CaseSpec mesh_choice,
                      const IterationControls& iteration, CaseOptions options = {});

// The fin in this arithmetic, dx, m, every array of the case (the exact profile's for the nodes
// `options` asks for), the positions, and the base and interior equations.
template <typename Real>
Case<Real> prepare_case(const FinProperties<double>& fin, CaseSpec mesh_choice,
                        CaseOptions options = {});

// After a case's last solve: the exact profile, computed next and writing every sample before
// reading any, takes the solver's work storage, whose pages are in place, in place of its own
// untouched storage (given back) when the two are of one size; otherwise, or with no solve made,
// its own pages are put in place.
template <typename Real>
void give_work_to_profile(TridiagonalSolver<Real>& solver, Case<Real>& c);

// A scheme that does not iterate: its tip row, then one direct solve.
template <typename Real>
void solve_direct(Case<Real>& c);

// The deferred-correction iteration from T = T0, stopping when L1(c)/L1(0) < tol or after itmax
// solves; records the three norms of every iteration, the count and whether it converged.
template <typename Real>
void solve_iterated(const IterationInput& iteration, Case<Real>& c);

// One solve of that iteration: the system is solved with the current tip row, the tip row is
// rebuilt from the new T, and the norms of the new residual are recorded.
template <typename Real>
void deferred_correction_step(Case<Real>& c, TridiagonalSolver<Real>& solver);

// Compiled in processamento.cpp for each arithmetic of the core (fin/real.h) alone.
extern template decltype(compute_case<double>) compute_case<double>;
extern template decltype(compute_case<Quad>) compute_case<Quad>;
extern template decltype(compute_case_after<double>) compute_case_after<double>;
extern template decltype(compute_case_after<Quad>) compute_case_after<Quad>;
extern template decltype(compute_converged_case<double>) compute_converged_case<double>;
extern template decltype(compute_converged_case<Quad>) compute_converged_case<Quad>;
extern template decltype(solve_case<double>) solve_case<double>;
extern template decltype(solve_case<Quad>) solve_case<Quad>;
extern template decltype(prepare_case<double>) prepare_case<double>;
extern template decltype(prepare_case<Quad>) prepare_case<Quad>;
extern template decltype(give_work_to_profile<double>) give_work_to_profile<double>;
extern template decltype(give_work_to_profile<Quad>) give_work_to_profile<Quad>;
extern template decltype(solve_direct<double>) solve_direct<double>;
extern template decltype(solve_direct<Quad>) solve_direct<Quad>;
extern template decltype(solve_iterated<double>) solve_iterated<double>;
extern template decltype(solve_iterated<Quad>) solve_iterated<Quad>;
extern template decltype(deferred_correction_step<double>) deferred_correction_step<double>;
extern template decltype(deferred_correction_step<Quad>) deferred_correction_step<Quad>;

}  // namespace fin
