#include "malhas/presentation/estimator_words.h"

#include "malhas/presentation/number_text.h"

namespace malhas {

std::string_view convergence_name(Convergence c) {
  switch (c) {
    case Convergence::Monotonic:
      return "convergência monotônica";
    case Convergence::Oscillatory:
      return "convergência oscilatória";
    case Convergence::MonotonicDivergence:
      return "divergência monotônica";
    case Convergence::OscillatoryDivergence:
      return "divergência oscilatória";
    case Convergence::NoChange:
      break;
  }
  return "sem variação";
}

std::string_view estimator_name(Estimator e) {
  constexpr std::string_view kNames[] = {"GCI(p_L)", "GCI(p_U)", "GCI(osc)", "FS", "MQ"};
  return kNames[index_of(e)];
}

std::string_view expansion_name(Expansion e) {
  constexpr std::string_view kNames[] = {"a h^p", "a h", "a h^2", "a1 h + a2 h^2"};
  return kNames[static_cast<std::size_t>(e)];
}

const std::array<JudgementSet, 4> kJudgementSets = {{
    {"E", "todas", "E, todas", "contra E, todas as malhas", "|E|", &EstimatorSummary::all},
    {"E", "p_E a 10 % de p_L", "E, p_E ~ p_L", "contra E, p_E a 10 % de p_L", "|E|",
     &EstimatorSummary::asymptotic},
    {"E_discretizacao", "todas", "E_d, todas", "contra E_discretizacao, todas as malhas",
     "|E_disc|", &EstimatorSummary::discretisation_all},
    {"E_discretizacao", "p_E_disc a 10 % de p_L", "E_d, p_E_disc ~ p_L",
     "contra E_discretizacao, p_E_disc a 10 % de p_L", "|E_disc|",
     &EstimatorSummary::discretisation_asymptotic},
}};

std::string uncertainty_text(const Estimate& U) { return U.defined ? scientific_text(U.value, 4) : "-"; }

std::string effectivity_text(const Estimate& ratio) { return ratio.defined ? short_text(ratio.value, 4) : "-"; }

}  // namespace malhas
