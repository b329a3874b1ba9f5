#pragma once
// The analytical fin solution where cosh(m·L) and sinh(m·L) are beyond the range of a double.
//
// With a = h/(m·k) the exact solution is
//   θ(x)/θb = [cosh z + a·sinh z] / [cosh mL + a·sinh mL],   z = m·(L - x),
//   q       = √(h·P·k·Ab)·θb·[sinh mL + a·cosh mL] / [cosh mL + a·sinh mL].
// Writing cosh t + a·sinh t = [(1 + a)·e^t + (1 - a)·e^-t] / 2 and dividing above and below by
// (1 + a)·e^|mL| / 2 leaves only exponentials of non-positive arguments:
//   θ(x)/θb = e^(σz - |mL|)·[1 + b·e^(-2σz)] / [1 + b·e^(-2|mL|)],
//   q       = √(h·P·k·Ab)·θb·σ·[1 - b·e^(-2|mL|)] / [1 + b·e^(-2|mL|)],
// with σ the sign of mL and b = (1 - σa)/(1 + σa) = (m·k - σh)/(m·k + σh). These forms are used
// only where the direct grouping overflows; there e^(-2|mL|) is 0 to the arithmetic's precision.

#include "fin/real.h"

namespace fin {

// θ(x)/θb for z = (L - x)·m, from mL = m·L, mk = m·k and h.
template <typename Real>
Real long_fin_temperature_ratio(Real z, Real mL, Real mk, Real h);

// [sinh mL + a·cosh mL] / [cosh mL + a·sinh mL] with a = h/mk.
template <typename Real>
Real long_fin_heat_ratio(Real mL, Real mk, Real h);

// Compiled in aleta_longa.cpp for each arithmetic of the core (fin/real.h) alone.
extern template decltype(long_fin_temperature_ratio<double>) long_fin_temperature_ratio<double>;
extern template decltype(long_fin_temperature_ratio<Quad>) long_fin_temperature_ratio<Quad>;
extern template decltype(long_fin_heat_ratio<double>) long_fin_heat_ratio<double>;
extern template decltype(long_fin_heat_ratio<Quad>) long_fin_heat_ratio<Quad>;

}  // namespace fin
