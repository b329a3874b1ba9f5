#pragma once
// The worked fin of the reference reports: Tb = 100, Tinf = 25, h = 10, k = 200, Ab = 1e-4,
// P = 0.04, L = 0.1, N = 3 (m = √20).
#include <cmath>

#include "fin/processamento.h"
#include "fin/variaveis.h"

namespace fin::testing {

inline void fill_worked_case(CaseRecord& c, int scheme = 1, int nodes = 3) {
  c.Tb = 100;
  c.Tinf = 25;
  c.h = 10;
  c.k = 200;
  c.Ab = 1e-4;
  c.P = 0.04;
  c.L = 0.1;
  c.N = nodes;
  c.scheme = scheme;
}

// Agreement to the 16 significant digits a report shows.
inline bool same_16_digits(double actual, double printed) {
  return std::fabs(actual - printed) <= 1e-15 * std::fabs(printed) * 10;
}

}  // namespace fin::testing
