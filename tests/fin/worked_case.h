#pragma once
// The worked fin of the reference reports: Tb = 100, Tinf = 25, h = 10, k = 200, Ab = 1e-4,
// P = 0.04, L = 0.1, N = 3 (m = √20).
#include <cmath>

#include "fin/processamento.h"
#include "fin/tip_scheme.h"
#include "fin/variaveis.h"

namespace fin::testing {

inline GeneralInput worked_input(TipScheme scheme = TipScheme::Uds, int nodes = 3) {
  GeneralInput in;
  in.Tb = 100;
  in.Tinf = 25;
  in.h = 10;
  in.k = 200;
  in.Ab = 1e-4;
  in.P = 0.04;
  in.L = 0.1;
  in.N = nodes;
  in.scheme = scheme;
  return in;
}

inline IterationInput iteration_controls(std::int32_t itmax, double tol, double T0) {
  IterationInput iteration;
  iteration.itmax = itmax;
  iteration.tol = tol;
  iteration.T0 = T0;
  return iteration;
}

// Agreement to the 16 significant digits a report shows.
inline bool same_16_digits(double actual, double printed) {
  return std::fabs(actual - printed) <= 1e-15 * std::fabs(printed) * 10;
}

}  // namespace fin::testing
