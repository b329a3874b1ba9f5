#pragma once
// The words the study's files use for the uncertainty estimators and the convergence types.
#include <string_view>

#include "malhas/verification/convergence_type.h"
#include "malhas/verification/estimators.h"

namespace malhas {

// "convergência monotônica", "convergência oscilatória", "divergência monotônica",
// "divergência oscilatória", "sem variação".
std::string_view convergence_name(Convergence c);

// The estimator as the files name it: "GCI(p_L)", "GCI(p_U)", "GCI(osc)", "FS", "MQ".
std::string_view estimator_name(Estimator e);

// The least-squares fit, e.g. "a h^p" or "a1 h + a2 h^2".
std::string_view expansion_name(Expansion e);

}  // namespace malhas
