#include "fin/tip_scheme.h"

namespace fin {

std::optional<TipScheme> tip_scheme_from_file(std::int32_t number) {
  for (const TipSchemeTraits& t : kTipSchemes) {
    if (t.file_number == number) return t.scheme;
  }
  return std::nullopt;
}

}  // namespace fin
