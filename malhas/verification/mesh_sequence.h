#pragma once
// The node counts of a study: each mesh refines the one before by an integer ratio, keeping its
// nodes, so that N_k = (N - 1) * r^k + 1.
#include <cstdint>
#include <vector>

namespace malhas {

// The finest mesh a generated sequence may reach: 2^24 + 1 nodes.
constexpr std::int64_t kFinestGeneratedMesh = (std::int64_t{1} << 24) + 1;

// Up to `count` meshes from `first` nodes, refined by `ratio` each time, stopping before a mesh
// would pass kFinestGeneratedMesh (the first mesh is always kept).
std::vector<std::int32_t> refined_meshes(std::int32_t first, std::int32_t ratio, std::int32_t count);

// The refinement ratio from a mesh of `coarse` nodes to one of `fine` nodes: the quotient of
// their spacings, (fine - 1) / (coarse - 1).
double refinement_ratio(std::int32_t coarse, std::int32_t fine);

}  // namespace malhas
