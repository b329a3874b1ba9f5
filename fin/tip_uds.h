#pragma once
// The first-order closure of the convective tip, k·(T(N) - T(N-1))/dx + h·(T(N) - Tinf) = 0:
// the functions of the UDS row of the scheme table (tip_scheme.h).
#include <cstdint>

#include "fin/real.h"
#include "fin/variaveis.h"

namespace fin {

template <typename Real>
struct UdsTip {
  // Node N's row; T is not read.
  static void row(const FinProperties<Real>& fin, const Mesh<Real>& mesh, const NodeArray<Real>& T,
                  DiscreteSystem<Real>& s);
  // The row of the converged solution: the same row, since nothing iterates.
  static void converged_row(const FinProperties<Real>& fin, const Mesh<Real>& mesh,
                            DiscreteSystem<Real>& s);
  // The solution after any number of solves: the one direct solve (T0 and `solves` unused).
  static void solve_after(Case<Real>& c, double T0, std::int32_t solves);
};

extern template struct UdsTip<double>;
extern template struct UdsTip<Quad>;

}  // namespace fin
