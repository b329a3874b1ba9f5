#pragma once
// The two arithmetics of the core: `double`, which aleta and the mesh study report, and `Quad`,
// GCC's IEEE quadruple precision (113-bit significand, software arithmetic from libgcc and
// libquadmath), wide enough to measure the round-off of a double computation at any mesh the
// storage can hold.
//
// Each arithmetic's facts live in its RealTraits specialisation: its epsilon and largest value,
// its finite test, its text form and the elementary functions the core uses, so that a routine
// written once as a template over its real type calls the C library's own functions in `double`,
// exactly as before, and libquadmath's in `Quad`. The core's templates are compiled for these
// two alone (the extern template declarations beside each header name them); RealTraits of any
// other type has no definition, so that instantiating the core for it fails to compile.
#include <quadmath.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <tuple>

namespace fin {

using Quad = __float128;

// The arithmetics, as a list of types.
using Arithmetics = std::tuple<double, Quad>;

// A value of PerReal<Real> for each arithmetic, in the order of the list.
template <template <typename> class PerReal, typename List>
struct EachOf;
template <template <typename> class PerReal, typename... Reals>
struct EachOf<PerReal, std::tuple<Reals...>> {
  using type = std::tuple<PerReal<Reals>...>;
};
template <template <typename> class PerReal>
using EachArithmetic = typename EachOf<PerReal, Arithmetics>::type;

template <typename Real>
struct RealTraits;

template <>
struct RealTraits<double> {
  // The gap between 1 and the next larger value.
  static constexpr double epsilon() { return 0x1p-52; }
  static constexpr double largest() { return DBL_MAX; }
  static bool finite(double x) { return std::isfinite(x); }
  // 17 significant digits in scientific form: the text reads back to the same value.
  static std::string text(double x);

  static double sqrt(double x) { return std::sqrt(x); }
  static double exp(double x) { return std::exp(x); }
  static double sinh(double x) { return std::sinh(x); }
  static double cosh(double x) { return std::cosh(x); }
  static double fabs(double x) { return std::fabs(x); }
};

template <>
struct RealTraits<Quad> {
  static constexpr Quad epsilon() { return 0x1p-112; }
  // The one below infinity (the literal suffix of quadmath.h's FLT128_MAX needs GNU extensions,
  // which the build leaves off, and clang has no __builtin_huge_valq).
  static Quad largest() {
    return nextafterq(static_cast<Quad>(std::numeric_limits<double>::infinity()), 0);
  }
  static bool finite(Quad x) { return finiteq(x) != 0; }
  // 36 significant digits in scientific form, enough for any value to read back to itself
  // (⌈113·log10 2⌉ + 1): "-1.23456789012345678901234567890123456e+00".
  static std::string text(Quad x);

  static Quad sqrt(Quad x) { return sqrtq(x); }
  static Quad exp(Quad x) { return expq(x); }
  static Quad sinh(Quad x) { return sinhq(x); }
  static Quad cosh(Quad x) { return coshq(x); }
  static Quad fabs(Quad x) { return fabsq(x); }
};

// True for an arithmetic of the core. For any other type RealTraits has no definition, and this
// does not compile: the core's value types assert it, so that a case in an arithmetic the core
// is not compiled for fails where it is named, not at link time.
template <typename Real>
inline constexpr bool kIsArithmetic = sizeof(RealTraits<Real>) > 0;

template <typename... Reals>
constexpr bool every_arithmetic_has_traits(const std::tuple<Reals...>*) {
  return (kIsArithmetic<Reals> && ...);
}
static_assert(every_arithmetic_has_traits(static_cast<const Arithmetics*>(nullptr)));

}  // namespace fin
