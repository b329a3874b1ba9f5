#include "malhas/verification/extrapolations.h"

namespace malhas {
namespace {

// The orders levels 1 ... K - 1 of K meshes remove.
std::vector<int> removed_orders(fin::TipScheme scheme, Quantity q, std::size_t meshes) {
  std::vector<int> orders;
  for (std::size_t level = 1; level < meshes; ++level) {
    orders.push_back(expansion_order(scheme, q, static_cast<int>(level)));
  }
  return orders;
}

}  // namespace

std::vector<QuantityExtrapolation> extrapolate(const std::vector<SchemeStudy>& studies) {
  std::vector<QuantityExtrapolation> all;
  for (const SchemeStudy& study : studies) {
    for (Quantity q : kQuantities) {
      const std::size_t i = index_of(q);
      std::vector<MeshValue<double>> meshes;
      std::vector<MeshValue<fin::Quad>> referenced;
      for (const MeshOutcome& mesh : study.meshes) {
        if (mesh.failed()) continue;
        meshes.push_back({mesh.N, mesh.dx, mesh.value[i], mesh.exact[i]});
        if (mesh.reference) {
          referenced.push_back({mesh.N, mesh.dx, mesh.reference->converged[i],
                                mesh.reference->exact[i], mesh.reference->resolution[i]});
        }
      }
      all.push_back({study.scheme, q,
                     extrapolation_table(meshes, removed_orders(study.scheme, q, meshes.size())),
                     extrapolation_table(referenced,
                                         removed_orders(study.scheme, q, referenced.size()))});
    }
  }
  return all;
}

}  // namespace malhas
