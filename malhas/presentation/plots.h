#pragma once
// The study's seven charts, each one panel per quantity (and per scheme where the schemes cannot
// share a panel): the true errors against the mesh spacing with reference slopes, the three
// parts of the error budget over the reference's resolution, the effective and apparent orders,
// the error along the fin, the levels of repeated Richardson extrapolation, the values of the
// finest meshes with their Richardson value and grid convergence index, and the effectivity of
// every uncertainty estimator.
#include <vector>

#include "malhas/verification/analysis.h"
#include "malhas/verification/estimators.h"
#include "malhas/verification/extrapolations.h"
#include "malhas/presentation/chart.h"

namespace malhas {

Chart error_chart(const std::vector<SchemeStudy>& studies);        // erro.svg
Chart budget_chart(const std::vector<SchemeStudy>& studies);       // orcamento.svg
Chart order_chart(const std::vector<SchemeStudy>& studies);        // ordens.svg
Chart profile_chart(const std::vector<SchemeStudy>& studies);      // perfil.svg
Chart convergence_chart(const std::vector<SchemeStudy>& studies);  // convergencia.svg
Chart extrapolation_chart(const std::vector<QuantityExtrapolation>& extrapolations);  // extrapolacoes.svg
Chart estimator_chart(const std::vector<SchemeStudy>& studies,
                      const std::vector<QuantityEstimators>& estimators);  // estimadores.svg

}  // namespace malhas
