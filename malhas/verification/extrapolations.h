#pragma once
// The repeated Richardson extrapolation of every scheme and quantity of a study, on the double
// values of its completed meshes and on the converged quadruple-precision values of those with a
// reference.
#include <vector>

#include "fin/real.h"

#include "malhas/verification/analysis.h"
#include "malhas/verification/extrapolation.h"

namespace malhas {

struct QuantityExtrapolation {
  fin::TipScheme scheme{};
  Quantity quantity = Quantity::TipTemperature;
  std::vector<LevelValue<double>> table;  // level by level, coarsest mesh first
  std::vector<LevelValue<fin::Quad>> quad_table;  // the same on the quadruple-precision values
};

// One per scheme and quantity, in the order of the tables; level j removes the term of order
// expansion_order(scheme, quantity, j).
std::vector<QuantityExtrapolation> extrapolate(const std::vector<SchemeStudy>& studies);

// The value on the finest mesh of `table` with the smallest true error over the levels, as far
// as the resolutions tell: an error within its level's resolution counts as that resolution, so
// that noise picks nothing. The lowest such level on a tie; and since the resolution grows with
// the level, among levels within theirs the lowest. None when the table is empty.
template <class Real>
const LevelValue<Real>* best_estimate(const std::vector<LevelValue<Real>>& table) {
  const LevelValue<Real>* best = nullptr;
  if (table.empty()) return best;
  const auto vouched = [](const LevelValue<Real>& v) {
    const Real error = fin::RealTraits<Real>::fabs(v.error), resolution = v.resolution;
    return error < resolution ? resolution : error;
  };
  const std::int32_t finest = table.back().N;
  for (const LevelValue<Real>& v : table) {
    if (v.N != finest) continue;
    if (best == nullptr || vouched(v) < vouched(*best)) best = &v;
  }
  return best;
}

}  // namespace malhas
