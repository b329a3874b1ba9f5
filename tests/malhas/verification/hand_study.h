#pragma once
// A study small enough to work by hand, for the tests of the estimators and of their files.
#include <cmath>
#include <vector>

#include "malhas/verification/analysis.h"

namespace malhas {

// UDS-2 on meshes of 3, 5, 9 and 17 nodes (spacings 1/2 ... 1/16, ratio 2), exact value 10:
// T(N) converges at second order (errors 1, 1/4, 1/16, 1/64), qdds1 at first (1, 1/2, 1/4, 1/8)
// and qdds2 oscillates (1, -1/2, 1/4, -1/8). No quadruple-precision reference.
inline std::vector<SchemeStudy> hand_study() {
  std::vector<MeshOutcome> meshes;
  for (int k = 0; k < 4; ++k) {
    MeshOutcome m;
    m.N = (2 << k) + 1;
    m.dx = 1.0 / (2 << k);
    m.exact = {10, 10, 10};
    m.value = {10 - std::pow(0.25, k), 10 - std::pow(0.5, k), 10 - std::pow(-0.5, k)};
    m.no_reference = "sem referência";
    meshes.push_back(m);
  }
  return {analyse(fin::TipScheme::Uds2, meshes)};
}

}  // namespace malhas
