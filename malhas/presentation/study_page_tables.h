#pragma once
// The tables of estudo.html: those of malhas.txt for each scheme and quantity, split in two (the
// mesh's value with its error budget; the orders and estimates, the convergence type and the
// notes), and the errors and orders of every level of the repeated extrapolation. The cells are
// the texts malhas.txt shows; a marked mesh's rows are highlighted and a failed one's are set
// apart.
#include <string>
#include <vector>

#include "malhas/presentation/html.h"
#include "malhas/verification/analysis.h"
#include "malhas/verification/extrapolations.h"

namespace malhas {

PageSection mesh_tables_section(const std::vector<SchemeStudy>& studies);
PageSection extrapolation_tables_section(const std::vector<QuantityExtrapolation>& extrapolations);

// The class of a mesh's rows: "falhou" for a failed mesh, "marcada" for one whose round-off or
// iteration weighs in the quantity, else none.
std::string mesh_row_class(const SchemeStudy& study, std::size_t k, Quantity q);

// The anchor of the tables of a scheme and quantity, for links from elsewhere on the page.
std::string table_anchor(fin::TipScheme scheme, Quantity q);

}  // namespace malhas
