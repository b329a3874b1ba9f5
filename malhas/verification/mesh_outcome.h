#pragma once
// What a study keeps of one mesh once its case has been computed and its storage released.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fin/real.h"
#include "fin/reference.h"
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

// The mesh's case in quadruple precision: the converged discrete values (phi_inf), those after as
// many solves as the double run made (phi_it, the converged ones for a scheme that does not
// iterate), and the exact values, each of T(N), qdds1, qdds2; and the resolution of each, a
// bound of the reference's own round-off (malhas/verification/reference_resolution.h).
struct QuadReference : fin::DiscreteReference<fin::Quad> {
  std::array<double, 3> resolution{};
};

struct MeshOutcome {
  std::int32_t N = 0;
  double dx = 0;
  // Why the mesh has no results, in Portuguese; empty when it completed.
  std::string failure;
  // Storage was refused, to the mesh or to its reference, which other meshes computed at the
  // same time may have held.
  bool lacked_storage = false;
  std::array<double, 3> value{};  // the numerical T(N), qdds1, qdds2
  std::array<double, 3> exact{};  // Ta(N), qa, qa
  // A scheme that iterates only: iterations made, the last L1 norm over the initial one, and
  // whether it fell below tol (otherwise the iteration stopped at itmax).
  std::int32_t iterations = 0;
  double final_l1 = 0;
  bool converged = true;
  ProfileSample profile;
  std::optional<QuadReference> reference;
  std::string_view no_reference;  // why there is no reference, in Portuguese

  bool failed() const { return !failure.empty(); }
};

}  // namespace malhas
