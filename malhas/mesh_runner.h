#pragma once
// Computes the meshes of a study concurrently: each worker thread takes the largest mesh not yet
// started, so the long ones overlap and the short ones fill the gaps at the end. A mesh refused
// storage is computed again once the others are done, alone, so that whether it completes
// depends on the machine and not on which meshes happened to run beside it.
#include <cstdint>
#include <functional>
#include <vector>

#include "fin/tip_scheme.h"
#include "malhas/verification/mesh_outcome.h"

namespace malhas {

struct MeshJob {
  fin::TipScheme scheme{};
  std::int32_t N = 0;
};

// Computes one mesh; called on a worker thread, it must report its faults in the outcome.
using MeshComputation = std::function<MeshOutcome(const MeshJob&)>;
// Told after each mesh how many are done; calls come one at a time.
using ProgressReport = std::function<void(std::size_t done, std::size_t total)>;

// The outcomes in the order of `jobs`, computed by `threads` workers (at least one). An exception
// that a computation throws on any worker is thrown here, after every worker has stopped.
std::vector<MeshOutcome> compute_meshes(const std::vector<MeshJob>& jobs, unsigned threads,
                                        const MeshComputation& compute,
                                        const ProgressReport& progress);

}  // namespace malhas
