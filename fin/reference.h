#pragma once
// What a run is measured against, computed again in a wider arithmetic: the solution its scheme
// converges to, the solution after as many solves as the run made, and the exact values.
#include <cstdint>

#include "fin/quantities.h"
#include "fin/real.h"
#include "fin/variaveis.h"

namespace fin {

template <typename Real>
struct DiscreteReference {
  Quantities<Real> converged;  // with no iteration error
  Quantities<Real> iterated;   // after the run's solves; the converged ones for a direct scheme
  Quantities<Real> exact;
};

// The reference of a run of `mesh_choice` (N >= 3) that made `solves` solves from the uniform
// field T0, on at most `threads` threads (as CaseOptions). Each case is released once its values
// are taken, and of the exact profile only the base and the tip are computed.
template <typename Real>
DiscreteReference<Real> discrete_reference(const FinProperties<double>& fin, CaseSpec mesh_choice,
                                           double T0, std::int32_t solves, unsigned threads);

// Compiled in reference.cpp for each arithmetic of the core (fin/real.h) alone.
extern template decltype(discrete_reference<double>) discrete_reference<double>;
extern template decltype(discrete_reference<Quad>) discrete_reference<Quad>;

}  // namespace fin
