#include "malhas/verification/weighted_least_squares.h"

#include <cmath>

namespace malhas {
namespace {

// Below this |R_kk| (of columns scaled to unit length) column k is taken as a combination of the
// ones before it: the fit would be ill-posed, its coefficients noise.
constexpr double kDependentColumn = 1e-12;

double norm_from(const std::vector<double>& v, std::size_t first) {
  double sum = 0;
  for (std::size_t i = first; i < v.size(); ++i) sum += v[i] * v[i];
  return std::sqrt(sum);
}

// v <- v - 2 (u . v[first..]) / (u . u) u on the rows from `first` on: one Householder reflection.
void reflect(std::vector<double>& v, const std::vector<double>& u, double uu, std::size_t first) {
  double uv = 0;
  for (std::size_t i = 0; i < u.size(); ++i) uv += u[i] * v[first + i];
  const double factor = 2 * uv / uu;
  for (std::size_t i = 0; i < u.size(); ++i) v[first + i] -= factor * u[i];
}

}  // namespace

std::optional<std::vector<double>> weighted_least_squares(
    const std::vector<std::vector<double>>& columns, const std::vector<double>& y,
    const std::vector<double>& weights) {
  const std::size_t rows = y.size(), unknowns = columns.size();
  if (unknowns == 0 || rows < unknowns) return std::nullopt;
  std::vector<std::vector<double>> a(unknowns, std::vector<double>(rows));
  std::vector<double> b(rows), scale(unknowns);
  for (std::size_t i = 0; i < rows; ++i) {
    const double root = std::sqrt(weights[i]);
    b[i] = root * y[i];
    for (std::size_t j = 0; j < unknowns; ++j) a[j][i] = root * columns[j][i];
  }
  for (std::size_t j = 0; j < unknowns; ++j) {
    scale[j] = norm_from(a[j], 0);
    if (!(scale[j] > 0) || !std::isfinite(scale[j])) return std::nullopt;
    for (double& v : a[j]) v /= scale[j];
  }
  for (std::size_t k = 0; k < unknowns; ++k) {
    const double length = norm_from(a[k], k);
    if (length <= kDependentColumn) return std::nullopt;
    // The reflection takes a[k][k..] to (alpha, 0, ...); alpha opposite in sign to a[k][k], so
    // u[0] = a[k][k] - alpha adds magnitudes and cannot cancel.
    const double alpha = a[k][k] > 0 ? -length : length;
    std::vector<double> u(a[k].begin() + static_cast<std::ptrdiff_t>(k), a[k].end());
    u[0] -= alpha;
    double uu = 0;
    for (double v : u) uu += v * v;
    for (std::size_t j = k; j < unknowns; ++j) reflect(a[j], u, uu, k);
    reflect(b, u, uu, k);
  }
  // Back substitution in R, whose column j is a[j][0..j].
  std::vector<double> c(unknowns);
  for (std::size_t k = unknowns; k-- > 0;) {
    double sum = b[k];
    for (std::size_t j = k + 1; j < unknowns; ++j) sum -= a[j][k] * c[j];
    c[k] = sum / a[k][k];
  }
  for (std::size_t j = 0; j < unknowns; ++j) {
    c[j] /= scale[j];
    if (!std::isfinite(c[j])) return std::nullopt;
  }
  return c;
}

}  // namespace malhas
