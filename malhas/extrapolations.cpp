#include "malhas/extrapolations.h"

#include <cmath>

namespace malhas {

std::vector<QuantityExtrapolation> extrapolate(const std::vector<SchemeStudy>& studies) {
  std::vector<QuantityExtrapolation> all;
  for (const SchemeStudy& study : studies) {
    for (Quantity q : kQuantities) {
      std::vector<MeshValue<double>> meshes;
      for (const MeshOutcome& mesh : study.meshes) {
        if (mesh.failed()) continue;
        meshes.push_back({mesh.N, mesh.dx, mesh.value[index_of(q)], mesh.exact[index_of(q)]});
      }
      std::vector<int> orders;
      for (std::size_t level = 1; level < meshes.size(); ++level) {
        orders.push_back(expansion_order(study.scheme, q, static_cast<int>(level)));
      }
      all.push_back({study.scheme, q, extrapolation_table(meshes, orders)});
    }
  }
  return all;
}

const LevelValue<double>* best_estimate(const QuantityExtrapolation& extrapolation) {
  const LevelValue<double>* best = nullptr;
  if (extrapolation.table.empty()) return best;
  const std::int32_t finest = extrapolation.table.back().N;
  for (const LevelValue<double>& v : extrapolation.table) {
    if (v.N != finest) continue;
    if (best == nullptr || std::fabs(v.error) < std::fabs(best->error)) best = &v;
  }
  return best;
}

}  // namespace malhas
