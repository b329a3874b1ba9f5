#pragma once
// The resolution of a mesh's quadruple-precision reference: a bound of the reference's own
// round-off, in each quantity's units. A part of the error budget or an error of an
// extrapolation level smaller than it cannot be told from zero: it is the reference's noise.
//
// Where the bound comes from. The reference solves the discrete equations of the double case in
// quadruple precision (unit round-off u = 2^-113). Its one error that grows with N is the rounding
// of the interior diagonal a = 2 + y, y = (dx·m)², to a quadruple real: |δa| <= u·a, the same δa
// in every interior row. The solution then moves by δa·dT/da, and dT/da solves the same rows with
// -T(i) as the source of row i. As the mesh is refined, with dx = L/(N - 1),
//   δT(x) = δa·(N - 1)²·w(x),  w'' - m²w = T(x)/L²,  w(0) = 0,  k·w'(L) + h·w(L) = 0,
// and since T stays between Tb and Tinf, |T| <= Tmax = max(|Tb|, |Tinf|), w is bounded by Tmax·V,
// V the solution of V'' - m²V = -1/L² with the same ends; as w(0) = V(0) = 0, also
// |w'(0)| <= Tmax·V'(0). With t = m·L, β = h/(m·k):
//   V(L) = (1 - 1/cosh t) / ((1 + β·tanh t)·t²)
//   V'(0)·L = (tanh t + β·(1 - 1/cosh t)) / ((1 + β·tanh t)·t)
// so |δT(N)| <= u·a·(N - 1)²·Tmax·V(L) and, the heat rates being -k·Ab times the slope of T at
// the base, |δq| <= k·Ab·u·a·(N - 1)²·Tmax·V'(0). The other roundings (of the inputs in the
// rows, of the exact values, of T(2) and T(3) in a heat rate's difference) are a few u of their
// values and do not grow with N but for the heat rates' 1/dx: a floor of 16u of each covers them.
// The solve's own roundings act as further changes of each row by about u·a, so the whole is
// doubled. On the shipped examples that is about 1.9e-34·N² relative for T(N) and 1.2e-33·N²
// for the heat rates: against a 60-digit computation of the same equations (tests/quad), 5 to
// 10 times the reference's error on their meshes from 21 nodes on.
#include <array>
#include <cstdint>

#include "fin/variaveis.h"

namespace malhas {

// The bound for T(N), qdds1 and qdds2 of the reference of `fin` on N nodes, whose exact heat
// rate is `exact_rate`. Long and short fins are written in ratios that stay finite, so it raises
// no floating-point exception but where m·L or h·L/k pass the largest double, far past any fin
// (computed under the reference's held traps, it then makes the reference a failed one).
std::array<double, 3> reference_resolution(const fin::FinProperties<double>& fin, std::int32_t N,
                                           double exact_rate);

}  // namespace malhas
