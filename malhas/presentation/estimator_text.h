#pragma once
// The uncertainty estimators in malhas.txt: for each scheme and quantity, every estimator's U and
// its effectivities on every mesh, then how each fared over the meshes. UTF-8 with LF line ends,
// converted with the rest of the file.
#include <cstdint>
#include <string>
#include <vector>

#include "malhas/verification/estimators.h"

namespace malhas {

std::string estimator_section(const std::vector<SchemeStudy>& studies,
                              const std::vector<QuantityEstimators>& estimators,
                              std::int32_t least_squares_meshes);

}  // namespace malhas
