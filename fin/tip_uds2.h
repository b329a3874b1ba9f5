#pragma once
// The second-order closure of the convective tip, k·(3T(N) - 4T(N-1) + T(N-2))/(2dx) +
// h·(T(N) - Tinf) = 0, solved by deferred correction: the functions of the UDS-2 row of the
// scheme table (tip_scheme.h).
#include <cstdint>

#include "fin/real.h"
#include "fin/variaveis.h"

namespace fin {

template <typename Real>
struct Uds2Tip {
  // Node N's row: the part that does not fit the tridiagonal matrix is taken from the current
  // T(N-1) and T(N-2) into bp(N) (correction_bp).
  static void row(const FinProperties<Real>& fin, const Mesh<Real>& mesh, const NodeArray<Real>& T,
                  DiscreteSystem<Real>& s);

  // bp(N) of that row for T(N-1) = west and T(N-2) = far_west: 2h·Tinf·dx + k·(west - far_west).
  static Real correction_bp(const FinProperties<Real>& fin, Real dx, Real west, Real far_west);

  // Node N of the fixed point of the iteration: the second-order row with T(N-2) eliminated by
  // the row of node N-1, T(N-2) = ap(N-1)·T(N-1) - T(N) - bp(N-1), which keeps the system
  // tridiagonal:
  //   (2k + 2h·dx)·T(N) = k·(4 - ap(N-1))·T(N-1) + 2h·Tinf·dx + k·bp(N-1).
  // Needs N >= 3 and the interior rows built.
  static void converged_row(const FinProperties<Real>& fin, const Mesh<Real>& mesh,
                            DiscreteSystem<Real>& s);

  // T of the prepared case c (N >= 3) after exactly `solves` solves from the uniform field T0,
  // from two solves instead of that many, with bp(N) that of the last solve; no residual norms
  // are recorded. The deferred correction changes only bp(N) from one solve to the next, and the
  // solution is affine in it: T = A + B·bp(N), A the solution with bp(N) = 0 and B that of the
  // system whose only right-hand side is bp(N) = 1. Every iterate then follows from the scalar
  // recurrence of correction_bp. In a slow arithmetic this replaces hundreds of solves; it
  // differs from the solved iteration only by the arithmetic's rounding.
  static void solve_after(Case<Real>& c, double T0, std::int32_t solves);
};

extern template struct Uds2Tip<double>;
extern template struct Uds2Tip<Quad>;

}  // namespace fin
