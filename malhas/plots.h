#pragma once
// The study's three charts: the true errors against the mesh spacing with reference slopes, the
// effective and apparent orders, and the temperature profiles of the coarsest and finest meshes
// over the exact one.
#include <vector>

#include "malhas/analysis.h"
#include "malhas/svg_chart.h"

namespace malhas {

Chart error_chart(const std::vector<SchemeStudy>& studies);   // erro.svg
Chart order_chart(const std::vector<SchemeStudy>& studies);   // ordens.svg
Chart profile_chart(const std::vector<SchemeStudy>& studies); // perfil.svg

}  // namespace malhas
