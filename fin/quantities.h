#pragma once
// The quantities a report gives and a study refines, as a case computes them and as the exact
// solution has them.
#include <array>
#include <cstddef>

#include "fin/variaveis.h"

namespace fin {

// In the order of their tables.
enum class Quantity { TipTemperature, Qdds1, Qdds2 };
inline constexpr std::array<Quantity, 3> kQuantities{Quantity::TipTemperature, Quantity::Qdds1,
                                                     Quantity::Qdds2};
constexpr std::size_t index_of(Quantity q) { return static_cast<std::size_t>(q); }

// One value per quantity, indexed by index_of.
template <typename Real>
using Quantities = std::array<Real, kQuantities.size()>;

// T(N), qdds1 and qdds2 of a computed case.
template <typename Real>
Quantities<Real> computed_quantities(const Case<Real>& c) {
  return {c.solution.T[c.mesh.N], c.rates.qdds1, c.rates.qdds2};
}

// Their exact values: Ta(N), and qa for both heat rates.
template <typename Real>
Quantities<Real> exact_quantities(const Case<Real>& c) {
  return {c.exact.tip(), c.exact.qa, c.exact.qa};
}

}  // namespace fin
