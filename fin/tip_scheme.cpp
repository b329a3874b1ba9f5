#include "fin/tip_scheme.h"

#include "fin/coeficientes.h"

namespace fin {

const std::array<TipSchemeTraits, 2> kTipSchemes{{
    {TipScheme::Uds, 1, "UDS", false, build_tip_uds<double>, build_tip_uds<Quad>,
     {{{1, 1}, {1, 1}, {1, 1}}}},
    {TipScheme::Uds2, 2, "UDS-2", true, build_tip_uds2<double>, build_tip_uds2<Quad>,
     {{{2, 1}, {1, 1}, {2, 1}}}},
}};

const TipSchemeTraits& traits(TipScheme scheme) {
  return kTipSchemes[static_cast<std::size_t>(scheme)];
}

std::optional<TipScheme> tip_scheme_from_file(std::int32_t number) {
  for (const TipSchemeTraits& t : kTipSchemes) {
    if (t.file_number == number) return t.scheme;
  }
  return std::nullopt;
}

}  // namespace fin
