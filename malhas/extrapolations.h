#pragma once
// The repeated Richardson extrapolation of every scheme and quantity of a study, on the double
// values of its completed meshes.
#include <vector>

#include "malhas/analysis.h"
#include "malhas/extrapolation.h"

namespace malhas {

struct QuantityExtrapolation {
  fin::TipScheme scheme{};
  Quantity quantity = Quantity::TipTemperature;
  std::vector<LevelValue<double>> table;  // level by level, coarsest mesh first
};

// One per scheme and quantity, in the order of the tables; level j removes the term of order
// expansion_order(scheme, quantity, j).
std::vector<QuantityExtrapolation> extrapolate(const std::vector<SchemeStudy>& studies);

// The value on the finest mesh with the smallest true error over the levels (the lowest such
// level on a tie); none when no mesh completed.
const LevelValue<double>* best_estimate(const QuantityExtrapolation& extrapolation);

}  // namespace malhas
