#pragma once
// Repeated Richardson extrapolation of a quantity's values on successively refined meshes,
// written once over the arithmetic of the values (double, or a wider type for a reference).
//
// If the error of the values has the expansion E = c1 h^p1 + c2 h^p2 + ..., the level-1 value
// (r^p1 fine - coarse) / (r^p1 - 1) of two consecutive meshes, r the ratio of their spacings,
// has lost the h^p1 term; repeating on consecutive level-1 values with p2 removes the next term,
// and so on. With one ratio throughout each level removes its term exactly; with changing ratios
// the levels above the first are combined with the ratio of their two finest meshes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fin/real.h"
#include "malhas/verification/orders.h"

namespace malhas {

// A mesh's value of the quantity and its exact value, in the arithmetic `Real`, and the
// resolution of that value (a bound of its own round-off; 0 when unknown).
template <class Real>
struct MeshValue {
  std::int32_t N = 0;
  double dx = 0;
  Real value{}, exact{};
  double resolution = 0;
};

// One value of the extrapolation table: level `level` on mesh `N` (the finest it uses).
template <class Real>
struct LevelValue {
  std::int32_t N = 0;
  double dx = 0;
  int level = 0;          // 0 is the mesh's own value
  int removed_order = 0;  // the order of the term this level removes; 0 on level 0
  Real value{}, error{};  // error = exact - value
  // The bound of the value's round-off carried from its meshes' resolutions, 0 when unknown: an
  // error smaller than it cannot be told from zero.
  double resolution = 0;
  Estimate order;         // p_E of the level, from its errors on this mesh and the one before
};

// The level's error is within its resolution: noise of the meshes' own round-off.
template <class Real>
bool below_resolution(const LevelValue<Real>& v) {
  return fin::RealTraits<Real>::fabs(v.error) < static_cast<Real>(v.resolution);
}

// r^p for a whole p >= 0 by repeated products: exact while r^p fits the mantissa, as it does for
// the study's whole ratios.
template <class Real>
Real whole_power(Real r, int p) {
  Real power = 1;
  for (int i = 0; i < p; ++i) power = power * r;
  return power;
}

// The ratio of the spacings of two meshes, (fine - 1) / (coarse - 1), in the arithmetic `Real`.
template <class Real>
Real spacing_ratio(std::int32_t coarse, std::int32_t fine) {
  return Real(static_cast<double>(fine) - 1) / Real(static_cast<double>(coarse) - 1);
}

// Every level of the table, level by level and within a level coarsest mesh first, from the
// meshes (coarsest first); removed_orders[j - 1] is the order level j removes, and there are as
// many levels above 0 as given orders, at most one fewer than the meshes. The table stops before
// a level that the arithmetic cannot hold (r^p or a value past the largest number), which only a
// long list of meshes with large ratios reaches.
//
// The round-off of the values is carried along as a bound: the combination of a coarse and a
// fine value each off by at most rc and rf is off by at most (r^p·rf + rc)/(r^p - 1), the
// meshes' errors adding up in the worst case. So each level's resolution exceeds the one below
// on the same mesh. An order from an error within its resolution is no order.
template <class Real>
std::vector<LevelValue<Real>> extrapolation_table(const std::vector<MeshValue<Real>>& meshes,
                                                  const std::vector<int>& removed_orders) {
  std::vector<LevelValue<Real>> table;
  std::vector<LevelValue<Real>> below;  // the level below, on its meshes level-1 ... K-1
  for (std::size_t level = 0; level < meshes.size() && level <= removed_orders.size(); ++level) {
    std::vector<LevelValue<Real>> row;
    for (std::size_t k = level; k < meshes.size(); ++k) {
      const MeshValue<Real>& mesh = meshes[k];
      LevelValue<Real> v{mesh.N, mesh.dx, static_cast<int>(level), 0, mesh.value, {}, mesh.resolution, {}};
      const Real ratio = k > 0 ? spacing_ratio<Real>(meshes[k - 1].N, mesh.N) : Real(1);
      if (level > 0) {
        v.removed_order = removed_orders[level - 1];
        const Real growth = whole_power(ratio, v.removed_order);
        const LevelValue<Real>& coarse = below[k - level];
        const LevelValue<Real>& fine = below[k - level + 1];
        v.value = (growth * fine.value - coarse.value) / (growth - 1);
        const auto fine_weight = static_cast<double>(growth / (growth - 1));
        const auto coarse_weight = static_cast<double>(1 / (growth - 1));
        v.resolution = fine_weight * fine.resolution + coarse_weight * coarse.resolution;
      }
      v.error = mesh.exact - v.value;
      if (!fin::RealTraits<Real>::finite(v.value) || !fin::RealTraits<Real>::finite(v.error)) {
        return table;
      }
      if (k == level) {
        v.order = undefined_because(kTooFewMeshes);
      } else if (below_resolution(row.back()) || below_resolution(v)) {
        v.order = undefined_because("erro abaixo da resolução da referência");
      } else {
        v.order = effective_order(static_cast<double>(row.back().error),
                                  static_cast<double>(v.error), static_cast<double>(ratio));
      }
      row.push_back(v);
    }
    table.insert(table.end(), row.begin(), row.end());
    below = std::move(row);
  }
  return table;
}

}  // namespace malhas
