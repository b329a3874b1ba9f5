#pragma once
// The repeated Richardson extrapolation in malhas.txt: a summary of the best estimates for the
// top of the file and a section with the error of every level on every mesh. UTF-8 with LF line
// ends, converted with the rest of the file.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "malhas/verification/extrapolations.h"

namespace malhas {

// The best estimate of a quantity on its finest mesh as the tables for people (malhas.txt,
// estudo.html) give it: the level of smallest |erro| of the quadruple-precision table when there
// is one, else of the double one; none when no mesh completed.
struct BestEstimateText {
  std::int32_t N = 0;
  int level = 0;
  std::string_view arithmetic;  // "quádrupla" or "dupla"
  std::string value, error;     // the value to read back exactly, the error with 4 digits or "< x"
};
std::optional<BestEstimateText> best_estimate_text(const QuantityExtrapolation& e);

// A table of levels as those tables lay it out: the order each level above 0 removes, and one row
// per mesh, coarsest first, with the error (3 significant digits, or "< x" within the level's
// resolution) and p_E (2 decimals, "-" when
// empty) of each level that reaches it, level 0 first.
struct LevelGrid {
  std::vector<int> removed_orders;  // of levels 1, 2, ...
  struct Row {
    std::int32_t N = 0;
    std::vector<std::string> errors, orders;
  };
  std::vector<Row> rows;
};
template <class Real>
LevelGrid level_grid(const std::vector<LevelValue<Real>>& table);

// The words both tables for people use around a table of levels: "UDS-2 T(N)"; that it has no
// level ("... : menos de duas malhas calculadas, ..."); the orders its levels remove,
// "1: 3, 2: 4"; and the order level j removes for every scheme and quantity extrapolated,
// "p = p_L + j - 1", with `minus` as the minus sign.
std::string quantity_subject(const QuantityExtrapolation& e);
std::string no_levels_text(const QuantityExtrapolation& e);
std::string removed_orders_text(const LevelGrid& grid);
std::string removed_order_formulas(const std::vector<QuantityExtrapolation>& extrapolations,
                                   std::string_view minus);

std::string extrapolation_summary(const std::vector<QuantityExtrapolation>& extrapolations);
std::string extrapolation_section(const std::vector<QuantityExtrapolation>& extrapolations);

}  // namespace malhas
