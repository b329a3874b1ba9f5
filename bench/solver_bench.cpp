// The work of one UDS-2 iteration at the mesh sizes users run: the Thomas solve beside a plain C
// loop over work arrays allocated in advance (the solve should take at most 1.3 times as long),
// the solve in quadruple precision (at most 25 times the double one per node),
// the solve with work storage of its own, the three residual norms, and a whole iteration.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "fin/tip_uds2.h"
#include "fin/processamento.h"
#include "fin/solver.h"
#include "tests/fin/worked_case.h"

namespace {

// The worked fin of the tests on N nodes, its system built as a run builds it, with the UDS-2
// tip row for a uniform field of 25 ºC, in double or in quadruple precision.
template <typename Real>
struct WorkedSystemIn {
  fin::GeneralInput in;
  fin::Case<Real> c;
  fin::DiscreteSystem<Real>& s;
  fin::NodeArray<Real>& T;
  std::int32_t N;
  explicit WorkedSystemIn(std::int32_t nodes)
      : in(fin::testing::worked_input(fin::TipScheme::Uds2, nodes)),
        c(fin::prepare_case<Real>(in, in.mesh_choice())),
        s(c.system),
        T(c.solution.T),
        N(nodes) {
    for (std::int32_t i = 1; i <= nodes; ++i) T[i] = 25;
    fin::Uds2Tip<Real>::row(c.fin, c.mesh, T, s);
  }
};
using WorkedSystem = WorkedSystemIn<double>;

// The yardstick: the forward sweep and back substitution as plain C over raw arrays, with both
// work arrays allocated once, outside the timing.
void plain_thomas(const double* ap, const double* aw, const double* ae, const double* bp,
                  double* P, double* Q, double* T, int n) {
  P[1] = ae[1] / ap[1];
  Q[1] = bp[1] / ap[1];
  for (int i = 2; i <= n; ++i) {
    double d = ap[i] - aw[i] * P[i - 1];
    P[i] = ae[i] / d;
    Q[i] = (aw[i] * Q[i - 1] + bp[i]) / d;
  }
  T[n] = Q[n];
  for (int i = n - 1; i >= 1; --i) T[i] = P[i] * T[i + 1] + Q[i];
}

void set_rows(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void plain_c_solve(benchmark::State& state) {
  WorkedSystem w(static_cast<std::int32_t>(state.range(0)));
  fin::DiscreteSystem<double>& s = w.s;
  std::vector<double> P(w.N + 1), Q(w.N + 1);
  for (auto _ : state) {
    plain_thomas(&s.ap[0], &s.aw[0], &s.ae[0], &s.bp[0], P.data(), Q.data(), &w.T[0], w.N);
    benchmark::ClobberMemory();
  }
  set_rows(state);
}

void solve(benchmark::State& state) {
  WorkedSystem w(static_cast<std::int32_t>(state.range(0)));
  const fin::DiscreteSystem<double>& s = w.s;
  fin::TridiagonalSolver<double> solver;
  for (auto _ : state) {
    solver.solve(s.ap, s.aw, s.ae, s.bp, w.T, w.N);
    benchmark::ClobberMemory();
  }
  set_rows(state);
}

// The same solve in quadruple precision: at most 25 times the double solve per node.
void solve_quad(benchmark::State& state) {
  WorkedSystemIn<fin::Quad> w(static_cast<std::int32_t>(state.range(0)));
  const fin::DiscreteSystem<fin::Quad>& s = w.s;
  fin::TridiagonalSolver<fin::Quad> solver;
  for (auto _ : state) {
    solver.solve(s.ap, s.aw, s.ae, s.bp, w.T, w.N);
    benchmark::ClobberMemory();
  }
  set_rows(state);
}

void solve_with_own_storage(benchmark::State& state) {
  WorkedSystem w(static_cast<std::int32_t>(state.range(0)));
  const fin::DiscreteSystem<double>& s = w.s;
  for (auto _ : state) {
    fin::TridiagonalSolver<double>().solve(s.ap, s.aw, s.ae, s.bp, w.T, w.N);
    benchmark::ClobberMemory();
  }
  set_rows(state);
}

void residual_norms(benchmark::State& state) {
  WorkedSystem w(static_cast<std::int32_t>(state.range(0)));
  const fin::DiscreteSystem<double>& s = w.s;
  fin::TridiagonalSolver<double>().solve(s.ap, s.aw, s.ae, s.bp, w.T, w.N);
  for (auto _ : state) {
    benchmark::DoNotOptimize(fin::residual_norms(s.ap, s.aw, s.ae, s.bp, w.T, w.N));
  }
  set_rows(state);
}

// Each iteration also records its three norms, so the 3-node case runs as many iterations as
// the million-row report has rows, and no more.
void uds2_iteration(benchmark::State& state) {
  WorkedSystem w(static_cast<std::int32_t>(state.range(0)));
  fin::TridiagonalSolver<double> solver;
  for (auto _ : state) fin::deferred_correction_step(w.c, solver);
  set_rows(state);
}

// N = 3 is the million-iteration case, where the cost per call counts; 10^6 the large mesh.
#define ALETA_SIZES Arg(3)->Arg(1000)->Arg(1000000)
BENCHMARK(plain_c_solve)->ALETA_SIZES;
BENCHMARK(solve)->ALETA_SIZES;
BENCHMARK(solve_quad)->ALETA_SIZES;
BENCHMARK(solve_with_own_storage)->ALETA_SIZES;
BENCHMARK(residual_norms)->ALETA_SIZES;
BENCHMARK(uds2_iteration)->Arg(3)->Iterations(1000000);
BENCHMARK(uds2_iteration)->Arg(1000)->Arg(1000000);

}  // namespace

BENCHMARK_MAIN();
