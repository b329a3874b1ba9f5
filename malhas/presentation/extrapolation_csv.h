#pragma once
// extrapolacoes.csv: one row per scheme, quantity, arithmetic, mesh and level of the repeated
// Richardson extrapolation, for spreadsheets and scripts. UTF-8 text with LF line ends; double
// numbers with 17 significant digits, so they read back to the same double.
#include <string>
#include <vector>

#include "malhas/verification/extrapolations.h"

namespace malhas {

std::string extrapolation_csv(const std::vector<QuantityExtrapolation>& extrapolations);

}  // namespace malhas
