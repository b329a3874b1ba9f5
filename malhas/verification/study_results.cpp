#include "malhas/verification/study_results.h"

namespace malhas {

StudyResults study_results(std::vector<SchemeStudy> schemes, std::int32_t least_squares_meshes) {
  StudyResults results;
  results.extrapolations = extrapolate(schemes);
  results.estimators = judge_estimators(schemes, least_squares_meshes);
  results.schemes = std::move(schemes);
  return results;
}

}  // namespace malhas
