#pragma once
// The words both tables use for a row: names of schemes and quantities, and the notes that say
// why a cell is empty or what to beware of.
#include <string>
#include <string_view>

#include "malhas/verification/analysis.h"

namespace malhas {

using fin::scheme_name;                        // "UDS", "UDS-2"
std::string_view quantity_name(Quantity q);   // "T(N)", "qdds1", "qdds2"
// The quantity's name with what it is, its unit and its exact value, as a table's title.
std::string_view quantity_title(Quantity q);
std::string_view quantity_unit(Quantity q);   // "ºC", "W"

// The estimates of a row with their column names, in table order.
enum class EstimateKind { Order, Estimate, Ratio };
struct NamedEstimate {
  std::string_view name;
  EstimateKind kind;
  const Estimate* estimate;
};
std::array<NamedEstimate, 13> named_estimates(const QuantityAnalysis& a);

// The row's notes, in Portuguese, joined by "; ": a failed mesh's reason, or the reasons of the
// empty cells (a cell derived from an empty order is not named again; the estimates refused
// from a defined order are named together), the round-off and iteration marks, and an
// iteration stopped at itmax.
std::string row_notes(const SchemeStudy& study, std::size_t mesh, Quantity q);

}  // namespace malhas
