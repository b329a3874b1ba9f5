#pragma once
// The UDS-2 iterate after a given number of solves, from two solves instead of that many.
//
// The deferred correction changes only bp(N) from one solve to the next, and the solution of the
// system is affine in bp(N): T = A + B·bp(N), A the solution with bp(N) = 0 and B that of the
// system whose only right-hand side is bp(N) = 1. The tip row's next bp(N) is
// 2·h·Tinf·dx + k·(T(N-1) - T(N-2)), so every iterate follows from a scalar recurrence on bp(N),
// evaluated exactly as the tip row evaluates it. In a slow arithmetic this replaces hundreds of
// solves; it differs from the solved iteration only by the arithmetic's rounding.
#include <cstdint>

#include "fin/variaveis.h"

namespace fin {

// T, the exact solution and the heat rates of the UDS-2 case on N >= 3 nodes after exactly
// `iterations` solves from the uniform field T0. No residual norms are recorded: its
// final_l1() must not be asked for. The exact profile as compute_case computes it.
template <typename Real>
Case<Real> compute_case_after_by_superposition(const FinProperties<double>& fin, std::int32_t N,
                                               double T0, std::int32_t iterations,
                                               std::int64_t profile_stride = 1);

}  // namespace fin
