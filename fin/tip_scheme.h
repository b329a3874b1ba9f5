#pragma once
// The closures of the convective tip condition, as one closed set: every property of a scheme
// (its number in entradas_geral.ent, its printed name, whether it iterates, the orders of its
// error) and everything it does in each arithmetic (its tip row, the row of its converged
// solution, its solution after a given number of solves) lives in one table, and code asks the
// table instead of naming a scheme. A further scheme is a row of the table and its functions.
//
// Orders of the error terms. Write e(x) for the error of the nodal temperatures. The interior
// rows are the central difference T'' = (T(i-1) - 2T(i) + T(i+1))/dx² + O(dx²), whose
// truncation error has even powers only: -dx²/12·T'''' - dx⁴/360·T^(6) - ...
//   UDS tip: k(T(N) - T(N-1))/dx + h(T(N) - Tinf) = 0, with
//     (T(N) - T(N-1))/dx = T'(L) - dx/2·T''(L) + dx²/6·T'''(L) - ...: every power from dx¹.
//   UDS-2 tip (the converged deferred correction): k(3T(N) - 4T(N-1) + T(N-2))/(2dx)
//     + h(T(N) - Tinf) = 0, with (3T(N) - 4T(N-1) + T(N-2))/(2dx) = T'(L) - dx²/3·T'''(L)
//     + dx³/4·T''''(L) - ...: every power from dx².
// The discrete problem is stable with an O(1) gain from a truncation error to the error field,
// so e(x) = Σ dx^j·E_j(x) with j running from the lowest power of either closure upwards:
// j = 1, 2, 3, ... for UDS; j = 2, 3, 4, ... for UDS-2 (the interior's even powers add to
// terms already there, the tip's odd ones fill the gaps).
//   T(N): the error is e(L): orders as those of e.
//   qdds1 = -k·Ab·(T(2) - T(1))/dx: the difference has -dx/2·T''(0) + dx²/6·T'''(0) - ...
//     (every power from 1), and (e(dx) - e(0))/dx = Σ dx^j·E_j'(0) + ... keeps the orders of e:
//     every power from 1 for both schemes.
//   qdds2 = -k·Ab·(-3T(1) + 4T(2) - T(3))/(2dx): the difference has -dx²/3·T'''(0) + ...
//     (every power from 2), and the error field adds its own orders: every power from 1 for
//     UDS, from 2 for UDS-2.
// So each quantity's error is c·dx^p_L + c'·dx^(p_L+1) + c''·dx^(p_L+2) + ... with the p_L of
// the table below.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <tuple>

#include "fin/quantities.h"
#include "fin/real.h"
#include "fin/tip_uds.h"
#include "fin/tip_uds2.h"
#include "fin/variaveis.h"

namespace fin {

enum class TipScheme { Uds, Uds2 };

// The orders of the terms of a quantity's error expansion: term j (0, 1, 2, ...) goes as
// dx^(asymptotic + j·step).
struct ErrorOrders {
  int asymptotic;  // p_L, the order of the leading term
  int step;        // the difference between the orders of consecutive terms

  constexpr int term(int j) const { return asymptotic + j * step; }
};

// What a scheme does in the arithmetic Real.
template <typename Real>
struct SchemeFunctions {
  // Node N's row from the current temperatures (read only by a scheme that iterates).
  void (*tip_row)(const FinProperties<Real>& fin, const Mesh<Real>& mesh, const NodeArray<Real>& T,
                  DiscreteSystem<Real>& s);
  // Node N's row of the solution the scheme converges to, with no iteration error, for one
  // solve; the interior rows are built.
  void (*converged_tip_row)(const FinProperties<Real>& fin, const Mesh<Real>& mesh,
                            DiscreteSystem<Real>& s);
  // T of a prepared case after exactly `solves` solves from the uniform field T0 (a scheme that
  // does not iterate solves once), the solver's work handed to the exact profile.
  void (*solve_after)(Case<Real>& c, double T0, std::int32_t solves);
};

// A scheme's functions in every arithmetic, from the class template that holds them.
template <template <typename> class Tip, typename... Reals>
constexpr std::tuple<SchemeFunctions<Reals>...> functions_of(const std::tuple<Reals...>*) {
  return {SchemeFunctions<Reals>{Tip<Reals>::row, Tip<Reals>::converged_row,
                                 Tip<Reals>::solve_after}...};
}
template <template <typename> class Tip>
constexpr EachArithmetic<SchemeFunctions> functions_of() {
  return functions_of<Tip>(static_cast<const Arithmetics*>(nullptr));
}

struct TipSchemeTraits {
  TipScheme scheme;
  std::int32_t file_number;  // its value in entradas_geral.ent
  std::string_view name;     // as the report and the study print it
  bool iterates;             // solved by deferred correction from entradas_uds.ent's controls
  std::array<ErrorOrders, 3> orders;  // for T(N), qdds1, qdds2
  EachArithmetic<SchemeFunctions> functions;
};

// Every scheme, in the order of the enumeration.
inline constexpr std::array<TipSchemeTraits, 2> kTipSchemes{{
    {TipScheme::Uds, 1, "UDS", false, {{{1, 1}, {1, 1}, {1, 1}}}, functions_of<UdsTip>()},
    {TipScheme::Uds2, 2, "UDS-2", true, {{{2, 1}, {1, 1}, {2, 1}}}, functions_of<Uds2Tip>()},
}};

// Each scheme's row sits at its enumerator's index, so that a scheme finds its row directly.
constexpr bool rows_in_enumeration_order() {
  for (std::size_t i = 0; i < kTipSchemes.size(); ++i) {
    if (static_cast<std::size_t>(kTipSchemes[i].scheme) != i) return false;
  }
  return true;
}
static_assert(rows_in_enumeration_order());

constexpr const TipSchemeTraits& traits(TipScheme scheme) {
  return kTipSchemes[static_cast<std::size_t>(scheme)];
}

// The scheme numbered `number` in entradas_geral.ent; none for any other number.
std::optional<TipScheme> tip_scheme_from_file(std::int32_t number);

constexpr std::string_view scheme_name(TipScheme scheme) { return traits(scheme).name; }
constexpr bool iterates(TipScheme scheme) { return traits(scheme).iterates; }
constexpr ErrorOrders error_orders(TipScheme scheme, Quantity q) {
  return traits(scheme).orders[index_of(q)];
}

template <typename Real>
constexpr const SchemeFunctions<Real>& functions(TipScheme scheme) {
  return std::get<SchemeFunctions<Real>>(traits(scheme).functions);
}

}  // namespace fin
