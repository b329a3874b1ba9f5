#pragma once
// A small study that the tests of the tables read: a failed mesh, an iteration stopped at itmax
// and a tip value that is not a short decimal.
#include <vector>

#include "malhas/verification/analysis.h"

namespace malhas {

// UDS-2 on meshes 3 and 5 (the second failed), then 9; one tip value not a short decimal.
inline std::vector<SchemeStudy> small_study() {
  MeshOutcome coarse;
  coarse.N = 3;
  coarse.dx = 0.05;
  coarse.value = {0.1 + 0.2, 2, 3};
  coarse.exact = {1, 2.5, 3.5};
  coarse.iterations = 7;
  coarse.final_l1 = 1e-13;
  MeshOutcome broken;
  broken.N = 5;
  broken.dx = 0.025;
  broken.failure = "estouro (overflow)";
  MeshOutcome fine = coarse;
  fine.N = 9;
  fine.dx = 0.0125;
  fine.converged = false;
  return {analyse(fin::TipScheme::Uds2, {coarse, broken, fine})};
}

}  // namespace malhas
