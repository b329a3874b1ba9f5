#include "malhas/verification/reference_resolution.h"

#include <algorithm>
#include <cmath>

#include "fin/processamento.h"

namespace malhas {
namespace {

constexpr double kQuadUnitRoundOff = 0x1p-113;
constexpr double kFloor = 16;  // units of round-off of every value, whatever N
constexpr double kSolveMargin = 2;

// tanh(x) / x, 1 at x = 0.
double tanh_ratio(double x) { return x == 0 ? 1 : std::tanh(x) / x; }

}  // namespace

std::array<double, 3> reference_resolution(const fin::FinProperties<double>& fin, std::int32_t N,
                                           double exact_rate) {
  const double u = kQuadUnitRoundOff;
  const double m = fin::fin_parameter(fin);
  const double dx = fin::mesh_spacing(fin.L, N);
  const double a = dx * dx * m * m + 2.0;
  const double t = m * fin.L;
  // In ratios that stay finite for a long fin and lose nothing for a short one:
  // 1 - 1/cosh t = tanh(t/2)·tanh t, and β·tanh s = (h·L/k)·tanh(s)/t.
  const double biot = fin.h * fin.L / fin.k;
  const double half = tanh_ratio(0.5 * t), whole = tanh_ratio(t);
  const double damping = 1 + biot * whole;                     // 1 + β·tanh t
  const double tip = 0.5 * half * whole / damping;             // V(L)
  const double base = whole * (1 + 0.5 * biot * half) / damping;  // V'(0)·L
  const double intervals = static_cast<double>(N) - 1;
  const double Tmax = std::max(std::fabs(fin.Tb), std::fabs(fin.Tinf));
  const double tip_bound = Tmax * u * (a * intervals * intervals * tip + kFloor);
  const double rate_bound = fin.k * fin.Ab * Tmax * (intervals / fin.L) * u *
                                (a * intervals * base + kFloor) +
                            kFloor * u * std::fabs(exact_rate);
  return {kSolveMargin * tip_bound, kSolveMargin * rate_bound, kSolveMargin * rate_bound};
}

}  // namespace malhas
