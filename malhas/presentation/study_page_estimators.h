#pragma once
// The uncertainty estimators on estudo.html: the chart of their effectivities, then for each
// scheme and quantity how each estimator fared, in words and in a table (on how many meshes
// U >= |E| and the median of U/|E|, over every mesh and over those near the asymptotic order,
// against E and against E_discretizacao), and every estimator's U and U/|E| on every mesh. The
// numbers are the texts of malhas.txt. Each scheme and quantity's part is marked with them
// (data-esquema, data-quantidade), each summary cell with the row and column of
// estimadores_resumo.csv it comes from, each mesh's cell with its estimator and column.
#include <string>
#include <vector>

#include "malhas/presentation/html.h"
#include "malhas/verification/estimators.h"

namespace malhas {

// `chart` is the figure of estimadores.svg, HTML, shown at the section's head.
PageSection estimator_page_section(const std::vector<SchemeStudy>& studies,
                                   const std::vector<QuantityEstimators>& estimators,
                                   const std::string& chart);

// The anchor of the estimators of a scheme and quantity, for links from elsewhere on the page.
std::string estimator_anchor(fin::TipScheme scheme, Quantity q);

}  // namespace malhas
