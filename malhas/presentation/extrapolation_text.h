#pragma once
// The repeated Richardson extrapolation in malhas.txt: a summary of the best estimates for the
// top of the file and a section with the error of every level on every mesh. UTF-8 with LF line
// ends, converted with the rest of the file.
#include <string>
#include <vector>

#include "malhas/verification/extrapolations.h"

namespace malhas {

std::string extrapolation_summary(const std::vector<QuantityExtrapolation>& extrapolations);
std::string extrapolation_section(const std::vector<QuantityExtrapolation>& extrapolations);

}  // namespace malhas
