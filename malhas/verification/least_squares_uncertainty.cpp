#include "malhas/verification/least_squares_uncertainty.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "malhas/verification/weighted_least_squares.h"

namespace malhas {
namespace {

// The observed order whose own error estimate is taken, and the band of it that earns the
// safety factor 1.25 (with a standard deviation below the data range).
constexpr double kLowestTrustedOrder = 0.5, kHighestTrustedOrder = 2;
constexpr double kHighestSafeOrder = 2.1;
constexpr double kSafetyGood = 1.25, kSafetyPoor = 3;

// The observed order is searched on [kLowestOrder, kHighestOrder]: a geometric scan, then the
// root of the slope of the sum of squares between the scan's neighbours of its best point. Data
// that diverge, whose best order would be 0 or negative, settle on the lower end, below 0.5,
// where the fixed-order fits take over.
constexpr double kLowestOrder = 0.01, kHighestOrder = 10;
constexpr int kScanPoints = 200;

// The meshes finest first, as spacings relative to the finest (t_1 = 1) and values relative to
// the finest's (y_1 = 0): the fits then work on the differences between meshes, which the
// values' leading digits would otherwise swamp.
struct Data {
  std::vector<double> t, y;
  double finest_value = 0;
};

Data relative_data(const std::vector<double>& spacings, const std::vector<double>& values) {
  std::vector<std::size_t> order(spacings.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(),
            [&spacings](std::size_t a, std::size_t b) { return spacings[a] < spacings[b]; });
  Data d;
  d.finest_value = values[order.front()];
  for (std::size_t i : order) {
    d.t.push_back(spacings[i] / spacings[order.front()]);
    d.y.push_back(values[i] - d.finest_value);
  }
  return d;
}

// Every mesh alike (1/n each), or w_i = (1/h_i) / sum_j (1/h_j).
std::vector<double> weights_of(const Data& d, bool weighted) {
  const double n = static_cast<double>(d.t.size());
  std::vector<double> w(d.t.size(), 1 / n);
  if (!weighted) return w;
  double sum = 0;
  for (double t : d.t) sum += 1 / t;
  for (std::size_t i = 0; i < w.size(); ++i) w[i] = (1 / d.t[i]) / sum;
  return w;
}

struct Fit {
  bool valid = false;
  Expansion expansion = Expansion::ObservedOrder;
  bool weighted = false;
  double order = 0;       // p of the observed-order fit
  bool order_at_end = false;  // p is an end of the search: the data want one outside it
  double limit = 0;       // phi_0 - phi_1
  double at_finest = 0;   // fit_1 - phi_1
  double deviation = std::numeric_limits<double>::infinity();  // sigma
  // Of the observed-order fit, half the slope of its sum of squares S = sum w_i r_i^2 in p. With
  // the coefficients at their least squares for p, dS/dp is the partial derivative alone:
  // -2 c_1 sum w_i r_i t_i^p ln t_i.
  double slope = 0;
};

std::vector<double> powers(const std::vector<double>& t, double p) {
  std::vector<double> column;
  for (double v : t) column.push_back(std::pow(v, p));
  return column;
}

// One fit of the expansion (with exponent p for the observed order) by the weights given.
Fit fit(const Data& d, Expansion expansion, double p, bool weighted) {
  const std::vector<double> w = weights_of(d, weighted);
  std::vector<std::vector<double>> columns{std::vector<double>(d.t.size(), 1)};
  switch (expansion) {
    case Expansion::ObservedOrder:
      columns.push_back(powers(d.t, p));
      break;
    case Expansion::FirstOrder:
      columns.push_back(d.t);
      break;
    case Expansion::SecondOrder:
      columns.push_back(powers(d.t, 2));
      break;
    case Expansion::FirstAndSecondOrder:
      columns.push_back(d.t);
      columns.push_back(powers(d.t, 2));
      break;
  }
  Fit f;
  f.expansion = expansion;
  f.weighted = weighted;
  f.order = p;
  const std::optional<std::vector<double>> c = weighted_least_squares(columns, d.y, w);
  // sigma divides by n - n_u: the observed order counts p among its unknowns.
  const std::size_t unknowns = columns.size() + (expansion == Expansion::ObservedOrder ? 1 : 0);
  if (!c || d.t.size() <= unknowns) return f;
  const double n = static_cast<double>(d.t.size());
  double sum = 0, moment = 0;
  for (std::size_t i = 0; i < d.t.size(); ++i) {
    double fitted = 0;
    for (std::size_t j = 0; j < columns.size(); ++j) fitted += (*c)[j] * columns[j][i];
    if (i == 0) f.at_finest = fitted;
    const double residual = d.y[i] - fitted;
    sum += n * w[i] * residual * residual;
    if (expansion == Expansion::ObservedOrder) moment += w[i] * residual * columns[1][i] * std::log(d.t[i]);
  }
  if (expansion == Expansion::ObservedOrder) f.slope = -(*c)[1] * moment;
  f.limit = (*c)[0];
  f.deviation = std::sqrt(sum / (n - static_cast<double>(unknowns)));
  f.valid = std::isfinite(f.deviation) && std::isfinite(f.limit) && std::isfinite(f.at_finest);
  return f;
}

double deviation_at(const Data& d, double p, bool weighted) {
  const Fit f = fit(d, Expansion::ObservedOrder, p, weighted);
  return f.valid ? f.deviation : std::numeric_limits<double>::infinity();
}

// The observed-order fit of least standard deviation over p, by the weights given.
Fit observed_order_fit(const Data& d, bool weighted) {
  const double step = std::pow(kHighestOrder / kLowestOrder, 1.0 / (kScanPoints - 1));
  std::vector<double> scan;
  for (int j = 0; j < kScanPoints; ++j) scan.push_back(kLowestOrder * std::pow(step, j));
  std::size_t best = 0;
  double least = std::numeric_limits<double>::infinity();
  for (std::size_t j = 0; j < scan.size(); ++j) {
    const double s = deviation_at(d, scan[j], weighted);
    if (s < least) {
      least = s;
      best = j;
    }
  }
  // sigma is flat at its least: comparing its values fixes p only to about the square root of
  // the rounding, and two C libraries would give orders 1e-9 apart. The slope of the sum of
  // squares changes sign there, and halving the bracket on that sign, down to adjacent doubles,
  // finds p to the rounding of the slope itself.
  double low = scan[best == 0 ? 0 : best - 1], high = scan[std::min(best + 1, scan.size() - 1)];
  for (double mid = low + (high - low) / 2; low < mid && mid < high; mid = low + (high - low) / 2) {
    const Fit at = fit(d, Expansion::ObservedOrder, mid, weighted);
    if (!at.valid) break;
    if (at.slope < 0) {
      low = mid;
    } else {
      high = mid;
    }
  }
  const double p = low + (high - low) / 2;
  // The search's end points keep their scanned value should the middle be no better.
  const Fit at_root = fit(d, Expansion::ObservedOrder, p, weighted);
  Fit f = (at_root.valid ? at_root.deviation : std::numeric_limits<double>::infinity()) <= least
              ? at_root
              : fit(d, Expansion::ObservedOrder, scan[best], weighted);
  f.order_at_end = best == 0 || best + 1 == scan.size();
  return f;
}

// The fit of smaller standard deviation (the first on a tie).
const Fit& better(const Fit& a, const Fit& b) { return b.deviation < a.deviation ? b : a; }

// The fit whose error estimate is used: the observed-order one in its trusted band, otherwise
// the best of the fixed-order fits, each with and without weights.
Fit chosen_fit(const Data& d, const Fit& observed) {
  if (observed.order >= kLowestTrustedOrder && observed.order <= kHighestTrustedOrder) return observed;
  std::vector<Expansion> expansions{Expansion::FirstOrder, Expansion::SecondOrder};
  if (observed.order < kLowestTrustedOrder) expansions.push_back(Expansion::FirstAndSecondOrder);
  Fit best;
  for (Expansion e : expansions) {
    for (bool weighted : {false, true}) {
      const Fit f = fit(d, e, 0, weighted);
      if (f.valid) best = better(best, f);
    }
  }
  best.order = observed.order;
  return best;
}

}  // namespace

LeastSquaresUncertainty least_squares_uncertainty(const std::vector<double>& spacings,
                                                  const std::vector<double>& values) {
  LeastSquaresUncertainty u;
  if (static_cast<int>(values.size()) < kLeastSquaresFewestMeshes) {
    u.uncertainty = u.exact_estimate = u.order = undefined_because(kTooFewMeshes);
    return u;
  }
  const Data d = relative_data(spacings, values);
  const auto [lowest, highest] = std::minmax_element(d.y.begin(), d.y.end());
  u.data_range = (*highest - *lowest) / static_cast<double>(d.y.size() - 1);
  if (u.data_range == 0) {
    u.uncertainty = u.exact_estimate = u.order = undefined_because("o mesmo valor em todas as malhas");
    return u;
  }
  const Fit observed = better(observed_order_fit(d, false), observed_order_fit(d, true));
  const Fit chosen = chosen_fit(d, observed);
  if (!observed.valid || !chosen.valid || !std::isfinite(u.data_range)) {
    u.uncertainty = u.exact_estimate = u.order = undefined_because("fora do alcance numérico");
    return u;
  }
  const double p = observed.order;
  const double eps = std::fabs(chosen.at_finest - chosen.limit);
  const double sigma = chosen.deviation, off_fit = std::fabs(chosen.at_finest);
  double U = 0;
  if (sigma < u.data_range) {
    u.safety = p >= kLowestTrustedOrder && p < kHighestSafeOrder ? kSafetyGood : kSafetyPoor;
    U = u.safety * eps + sigma + off_fit;
  } else {
    u.safety = kSafetyPoor * sigma / u.data_range;
    U = u.safety * (eps + sigma + off_fit);
  }
  u.uncertainty = finite_or_unfit(U);
  u.exact_estimate = defined_as(d.finest_value + chosen.limit);
  u.order = !observed.order_at_end ? defined_as(p)
             : p < 1                ? undefined_because("o ajuste não tem ordem positiva")
                                    : undefined_because("a ordem do ajuste passa de 10");
  u.expansion = chosen.expansion;
  u.weighted = chosen.weighted;
  u.deviation = sigma;
  return u;
}

}  // namespace malhas
