#include "fin/processamento.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "fin/coeficientes.h"
#include "fin/dados.h"
#include "fin/solver.h"
#include "process/clock.h"

namespace fin {

void run_processing(platform::FileSystem& files) {
  open_in_editor(kGeneralInputFile);
  const GeneralInput in = read_general_input(files);
  process::ElapsedTimeClock clock;
  double tempo = clock.elapsed_seconds();  // starts the clock
  Case c = prepare_case(in);
  IterationInput iteration;
  if (in.scheme == 1) {
    solve_uds(in, c);
  } else if (in.scheme == 2) {
    // The time includes the user's editing of the iteration input.
    open_in_editor(kIterationInputFile);
    iteration = read_iteration_input(files);
    solve_uds2(in, iteration, c);
  }
  tempo = clock.elapsed_seconds();
  post_process(in, c);
  write_report(files, {in, iteration, c, tempo});
}

Case compute_case(const GeneralInput& in, const IterationInput& iteration) {
  Case c = prepare_case(in);
  if (in.scheme == 1) {
    solve_uds(in, c);
  } else if (in.scheme == 2) {
    solve_uds2(in, iteration, c);
  }
  post_process(in, c);
  return c;
}

Case prepare_case(const GeneralInput& in) {
  Case c;
  Mesh& mesh = c.mesh;
  mesh.N = in.N;
  mesh.dx = in.L / static_cast<double>(in.N - 1);
  mesh.m = std::sqrt(in.P / (in.Ab * in.k) * in.h);
  DiscreteSystem& s = c.system;
  for (NodeArray* a : {&s.aw, &s.ae, &s.bp, &c.solution.T, &c.exact.Ta, &mesh.x, &s.ap}) {
    a->create(in.N);
  }
  for (std::int64_t i = 1; i <= in.N; ++i) mesh.x[i] = static_cast<double>(i - 1) * mesh.dx;
  build_base_node(in, s);
  build_interior_nodes(in, mesh, s);
  return c;
}

void solve_uds(const GeneralInput& in, Case& c) {
  build_tip_uds(in, c.mesh, c.system);
  const DiscreteSystem& s = c.system;
  solve_tridiagonal(s.ap, s.aw, s.ae, s.bp, c.solution.T, c.mesh.N);
}

namespace {

void record_norms(const DiscreteSystem& s, std::int32_t n, Solution& solution) {
  const ResidualNorms norms = residual_norms(s.ap, s.aw, s.ae, s.bp, solution.T, n);
  solution.L1.append(norms.l1);
  solution.L2.append(norms.l2);
  solution.Linf.append(norms.linf);
}

}  // namespace

void uds2_iteration(const GeneralInput& in, Case& c, TridiagonalSolver& solver) {
  DiscreteSystem& s = c.system;
  solver.solve(s.ap, s.aw, s.ae, s.bp, c.solution.T, c.mesh.N);
  build_tip_uds2(in, c.mesh, c.solution.T, s);
  record_norms(s, c.mesh.N, c.solution);
}

void solve_uds2(const GeneralInput& in, const IterationInput& iteration, Case& c) {
  Solution& solution = c.solution;
  for (std::int64_t i = 1; i <= c.mesh.N; ++i) solution.T[i] = iteration.T0;
  build_tip_uds2(in, c.mesh, solution.T, c.system);  // the correction term is 0 for the uniform field
  record_norms(c.system, c.mesh.N, solution);
  // 64-bit counter: it passes itmax by one when the iteration does not converge.
  std::int64_t count = 1;
  TridiagonalSolver solver;  // one work storage for every solve; given back when they are done
  for (; count <= iteration.itmax; ++count) {
    uds2_iteration(in, c, solver);
    if (solution.L1[count] / solution.L1[0] < iteration.tol) break;
  }
  solution.it = static_cast<std::int32_t>(std::min<std::int64_t>(iteration.itmax, count));
}

}  // namespace fin
