#pragma once
// What a study keeps of one mesh once its case has been computed and its storage released.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "fin/tip_scheme.h"

namespace malhas {

// The three quantities a report gives, in the order of the tables.
using fin::index_of;
using fin::kQuantities;
using fin::Quantity;

// Temperatures along the fin at a few of the mesh's nodes, enough for a plot.
struct ProfileSample {
  std::vector<double> x, T, Ta;
};

struct MeshOutcome {
  std::int32_t N = 0;
  double dx = 0;
  // Why the mesh has no results, in Portuguese; empty when it completed.
  std::string failure;
  // The failure was storage refused, which other meshes computed at the same time may have held.
  bool lacked_storage = false;
  std::array<double, 3> value{};  // the numerical T(N), qdds1, qdds2
  std::array<double, 3> exact{};  // Ta(N), qa, qa
  // UDS-2 only: iterations made, the last L1 norm over the initial one, and whether it fell
  // below tol (otherwise the iteration stopped at itmax).
  std::int32_t iterations = 0;
  double final_l1 = 0;
  bool converged = true;
  ProfileSample profile;

  bool failed() const { return !failure.empty(); }
};

}  // namespace malhas
