#pragma once
// The study's five charts: the true errors against the mesh spacing with reference slopes, the
// three parts of the error budget, the effective and apparent orders, the error along the fin on
// the coarsest and finest meshes, and the true errors of the levels of repeated Richardson
// extrapolation.
#include <vector>

#include "malhas/verification/analysis.h"
#include "malhas/verification/extrapolations.h"
#include "malhas/presentation/svg_chart.h"

namespace malhas {

Chart error_chart(const std::vector<SchemeStudy>& studies);   // erro.svg
Chart budget_chart(const std::vector<SchemeStudy>& studies);  // orcamento.svg
Chart order_chart(const std::vector<SchemeStudy>& studies);   // ordens.svg
Chart profile_chart(const std::vector<SchemeStudy>& studies); // perfil.svg
Chart extrapolation_chart(const std::vector<QuantityExtrapolation>& extrapolations);  // extrapolacoes.svg

}  // namespace malhas
