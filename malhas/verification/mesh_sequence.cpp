#include "malhas/verification/mesh_sequence.h"

namespace malhas {

std::vector<std::int32_t> refined_meshes(std::int32_t first, std::int32_t ratio, std::int32_t count) {
  std::vector<std::int32_t> meshes{first};
  std::int64_t intervals = first - 1;
  while (static_cast<std::int32_t>(meshes.size()) < count) {
    intervals *= ratio;  // at most 2^24 * ratio, with ratio an int32: no 64-bit overflow
    if (intervals + 1 > kFinestGeneratedMesh) break;
    meshes.push_back(static_cast<std::int32_t>(intervals + 1));
  }
  return meshes;
}

double refinement_ratio(std::int32_t coarse, std::int32_t fine) {
  return (static_cast<double>(fine) - 1) / (static_cast<double>(coarse) - 1);
}

}  // namespace malhas
