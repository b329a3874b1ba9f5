#pragma once
// The words both tables use for a row: names of schemes and quantities, and the notes that say
// why a cell is empty or what to beware of.
#include <string>
#include <string_view>
#include <vector>

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

// A cell's text as the tables for people (malhas.txt, estudo.html) show it: an estimate with 4
// significant digits, an order or a ratio with 3 decimals, "< x" for a budget part within the
// reference's resolution x, "-" when empty for another reason.
std::string estimate_text(const NamedEstimate& cell, const Estimate& resolution = {});

// Every cell of a mesh's row as those tables show it: the mesh's N and dx, and for a completed
// mesh its value, exact value, E, the estimates in table order and, for a scheme that iterates,
// its iterations and final L1 norm, and the convergence type of its last three meshes; the notes
// last.
struct RowTexts {
  std::string N, dx;
  std::string value, exact, error;  // empty for a failed mesh
  std::vector<std::string> estimates;  // as named_estimates lists them; none for a failed mesh
  std::string iterations, final_l1;  // empty for a scheme that does not iterate
  std::string convergence;           // "-" when there is none; empty for a failed mesh
  std::string notes;
};
RowTexts row_texts(const SchemeStudy& study, std::size_t mesh, Quantity q);

// The row's notes, in Portuguese, joined by "; ": a failed mesh's reason, or the reasons of the
// empty cells (a cell derived from an empty order is not named again; the estimates refused
// from a defined order are named together; parts below the reference's resolution with that
// resolution, "(< x)"), the round-off and iteration marks, and an iteration stopped at itmax.
std::string row_notes(const SchemeStudy& study, std::size_t mesh, Quantity q);

}  // namespace malhas
