#include "fin/processamento.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "fin/coeficientes.h"
#include "fin/dados.h"
#include "fin/solver.h"
#include "process/clock.h"

namespace fin {

void run_processing(CaseRecord& c) {
  read_general_input(c);
  c.tempo = process::elapsed_seconds();  // starts the clock
  build_mesh(c);
  if (c.scheme == 1) {
    solve_uds(c);
  } else if (c.scheme == 2) {
    solve_uds2(c);  // the time includes the user's editing of the iteration input
  }
  c.tempo = process::elapsed_seconds();
  post_process(c);
}

void build_mesh(CaseRecord& c) {
  c.dx = c.L / static_cast<double>(c.N - 1);
  c.m = std::sqrt(c.P / (c.Ab * c.k) * c.h);
  for (NodeArray* a : {&c.aw, &c.ae, &c.bp, &c.T, &c.Ta, &c.x, &c.ap}) a->create(c.N);
  for (std::int64_t i = 1; i <= c.N; ++i) c.x[i] = static_cast<double>(i - 1) * c.dx;
  build_base_node(c);
  build_interior_nodes(c);
}

void solve_uds(CaseRecord& c) {
  build_tip_uds(c);
  solve_tridiagonal(c.ap, c.aw, c.ae, c.bp, c.T, c.N);
}

void solve_uds2(CaseRecord& c) {
  read_iteration_input(c);
  iterate_uds2(c);
}

namespace {

void record_norms(CaseRecord& c) {
  const ResidualNorms norms = residual_norms(c.ap, c.aw, c.ae, c.bp, c.T, c.N);
  c.L1.append(norms.l1);
  c.L2.append(norms.l2);
  c.Linf.append(norms.linf);
}

}  // namespace

void uds2_iteration(CaseRecord& c, TridiagonalSolver& solver) {
  solver.solve(c.ap, c.aw, c.ae, c.bp, c.T, c.N);
  build_tip_uds2(c);
  record_norms(c);
}

void iterate_uds2(CaseRecord& c) {
  for (std::int64_t i = 1; i <= c.N; ++i) c.T[i] = c.T0;
  build_tip_uds2(c);  // the correction term is 0 for the uniform field
  record_norms(c);
  // 64-bit counter: it passes itmax by one when the iteration does not converge.
  std::int64_t count = 1;
  TridiagonalSolver solver;  // one work storage for every solve; given back when they are done
  for (; count <= c.itmax; ++count) {
    uds2_iteration(c, solver);
    if (c.L1[count] / c.L1[0] < c.tol) break;
  }
  c.it = static_cast<std::int32_t>(std::min<std::int64_t>(c.itmax, count));
}

}  // namespace fin
