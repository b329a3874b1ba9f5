#pragma once
// The two arithmetics of the core: `double`, which aleta and the mesh study report, and `Quad`,
// GCC's IEEE quadruple precision (113-bit significand, software arithmetic from libgcc and
// libquadmath), wide enough to measure the round-off of a double computation at any mesh the
// storage can hold. The elementary functions the core uses are overloaded for both, so that a
// routine written once as a template over its real type calls the C library's own functions in
// `double`, exactly as before, and libquadmath's in `Quad`.
#include <quadmath.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace fin {

using Quad = __float128;

inline double real_sqrt(double x) { return std::sqrt(x); }
inline double real_exp(double x) { return std::exp(x); }
inline double real_sinh(double x) { return std::sinh(x); }
inline double real_cosh(double x) { return std::cosh(x); }
inline double real_fabs(double x) { return std::fabs(x); }

inline Quad real_sqrt(Quad x) { return sqrtq(x); }
inline Quad real_exp(Quad x) { return expq(x); }
inline Quad real_sinh(Quad x) { return sinhq(x); }
inline Quad real_cosh(Quad x) { return coshq(x); }
inline Quad real_fabs(Quad x) { return fabsq(x); }

// The largest finite value: for Quad the one below infinity (the literal suffix of quadmath.h's
// FLT128_MAX needs GNU extensions, which the build leaves off, and clang has no
// __builtin_huge_valq).
template <typename Real>
Real largest_real();
template <>
inline double largest_real<double>() { return DBL_MAX; }
template <>
inline Quad largest_real<Quad>() {
  return nextafterq(static_cast<Quad>(std::numeric_limits<double>::infinity()), 0);
}

}  // namespace fin
