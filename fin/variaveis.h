#pragma once
// The case record: every input, array and result of one fin case. Everything is zero until the
// input files are read.
#include <array>
#include <cstdint>

#include "fin/arrays.h"

namespace fin {

struct CaseRecord {
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

  // UDS-2 iteration controls.
  std::int32_t itmax = 0;
  double tol = 0;  // tolerance on the L1 norm normalised by its initial value
  double T0 = 0;   // initial uniform temperature field

  double dx = 0;  // mesh spacing
  double m = 0;   // fin parameter [1/m]
  NodeArray x;    // node positions [m]
  // Node i satisfies ap(i)·T(i) = aw(i)·T(i-1) + ae(i)·T(i+1) + bp(i).
  NodeArray aw, ae, ap, bp;
  NodeArray T;   // numerical temperatures
  NodeArray Ta;  // analytical temperatures

  // UDS-2 residual norms: element 0 for the initial field, element c after solve c.
  NormArray L1, L2, Linf;
  std::int32_t it = 0;  // iterations made

  double qa = 0;     // exact heat rate at the base [W]
  double qdds1 = 0;  // heat rate from the first-order difference at the base [W]
  double qdds2 = 0;  // heat rate from the second-order difference at the base [W]
  double tempo = 0;  // processing time [s]
  std::int32_t launch_status = 0;  // status of the last editor launch; kept, never examined
};

}  // namespace fin
