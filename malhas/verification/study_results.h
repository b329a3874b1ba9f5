#pragma once
// Everything a study found, from its analysed schemes: the repeated extrapolation of each scheme
// and quantity and every uncertainty estimator judged, ready for the files that present it.
#include <cstdint>
#include <vector>

#include "malhas/verification/analysis.h"
#include "malhas/verification/estimators.h"
#include "malhas/verification/extrapolations.h"

namespace malhas {

struct StudyResults {
  std::vector<SchemeStudy> schemes;                    // in the order of the scheme table
  std::vector<QuantityExtrapolation> extrapolations;  // one per scheme and quantity
  std::vector<QuantityEstimators> estimators;         // one per scheme and quantity
};

// The least-squares estimator fits `least_squares_meshes` meshes (kEveryMesh: all).
StudyResults study_results(std::vector<SchemeStudy> schemes, std::int32_t least_squares_meshes);

}  // namespace malhas
