#include "malhas/presentation/estimator_words.h"

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

}  // namespace malhas
