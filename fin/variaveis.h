#pragma once
// The values of one fin case, in the order they are made: the inputs read from the two files,
// the mesh, the discrete system, its solution, the exact solution and the heat rates at the
// base. Each computation takes the values it reads and fills the ones it makes, so that two
// cases share nothing.
#include <array>
#include <cstdint>

#include "fin/arrays.h"

namespace fin {

// entradas_geral.ent. Every value is zero until it is read.
struct GeneralInput {
  // Name of the report file, blank-padded; 100 NUL bytes until a value is read.
  std::array<char, 100> saida{};
  double Tb = 0;    // base temperature [ºC]
  double Tinf = 0;  // fluid temperature [ºC]
  double h = 0;     // convection coefficient [W/m2*K]
  double k = 0;     // thermal conductivity [W/m*K]
  double Ab = 0;    // area of the fin base [m2]
  double P = 0;     // perimeter of the fin base [m]
  double L = 0;     // fin length [m]
  std::int32_t N = 0;       // mesh nodes
  std::int32_t scheme = 0;  // tip condition: 1 = UDS, 2 = UDS-2
};

// entradas_uds.ent: the controls of the UDS-2 iteration.
struct IterationInput {
  std::int32_t itmax = 0;
  double tol = 0;  // tolerance on the L1 norm normalised by its initial value
  double T0 = 0;   // initial uniform temperature field
};

struct Mesh {
  std::int32_t N = 0;
  double dx = 0;  // mesh spacing
  double m = 0;   // fin parameter [1/m]
  NodeArray x;    // node positions [m]
};

// Node i satisfies ap(i)·T(i) = aw(i)·T(i-1) + ae(i)·T(i+1) + bp(i).
struct DiscreteSystem {
  NodeArray aw, ae, ap, bp;
};

struct Solution {
  NodeArray T;  // numerical temperatures
  // UDS-2 residual norms: element 0 for the initial field, element c after solve c.
  NormArray L1, L2, Linf;
  std::int32_t it = 0;  // UDS-2 iterations made
};

struct ExactSolution {
  NodeArray Ta;   // analytical temperatures
  double qa = 0;  // exact heat rate at the base [W]
};

// Heat rates at the base from the numerical temperatures [W].
struct HeatRates {
  double qdds1 = 0;  // first-order difference
  double qdds2 = 0;  // second-order difference
};

// Everything computed for one set of inputs.
struct Case {
  Mesh mesh;
  DiscreteSystem system;
  Solution solution;
  ExactSolution exact;
  HeatRates rates;
};

}  // namespace fin
