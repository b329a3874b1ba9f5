#pragma once
// The words and numbers the study's files use for the uncertainty estimators and the convergence
// types.
#include <array>
#include <string>
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

// The four sets of meshes an estimator is judged on, as estimadores_resumo.csv names them: the
// error it is held against (`contra`) and the meshes (`malhas`).
struct JudgementSet {
  std::string_view error, meshes;  // as estimadores_resumo.csv names them
  std::string_view short_name;     // in malhas.txt's narrow columns
  std::string_view title;          // over the page's columns
  std::string_view error_bars;     // the error between bars, "|E|" or "|E_disc|"
  Judgement EstimatorSummary::*judgement;
};
extern const std::array<JudgementSet, 4> kJudgementSets;

// Cells of the estimator tables for people (malhas.txt, estudo.html), "-" when empty: U with 4
// significant digits in scientific form; an effectivity, or a median of them, with at most 4.
std::string uncertainty_text(const Estimate& U);
std::string effectivity_text(const Estimate& ratio);

}  // namespace malhas
