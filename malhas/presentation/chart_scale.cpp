#include "malhas/presentation/chart_scale.h"

#include <algorithm>
#include <cmath>

#include "malhas/presentation/number_text.h"
#include "malhas/presentation/svg_text.h"

namespace malhas {
namespace {

constexpr double kLeastDecades = 0.05, kMostDecades = 0.25;  // that margin on a logarithmic axis
constexpr double kLabelGap = 8;        // between neighbouring labels along a horizontal axis
constexpr double kLineGap = 3;         // between neighbouring labels along a vertical axis
constexpr double kExponentRise = 5;    // how far a raised exponent stands above the base line
constexpr std::size_t kLongestLabel = 8;  // characters, before a linear axis takes an offset

// Steps m·10^e, e whole, m 1, 2, 2.5 or 5, from the first coarse enough to keep at most
// kMostLabels ticks in the range.
std::vector<double> step_candidates(double span) {
  std::vector<double> steps;
  const double first = std::floor(std::log10(span / static_cast<double>(kMostLabels)));
  for (double e = first; e <= first + 3; ++e) {
    for (double m : {1.0, 2.0, 2.5, 5.0}) steps.push_back(m * std::pow(10.0, e));
  }
  return steps;
}

// The decimals that write every multiple of `step` exactly: 3 for 0.0025 ... 0.005, 0 for 20.
int decimals_of(double step) {
  int d = 0;
  for (double scaled = step; d < 20 && std::fabs(scaled - std::round(scaled)) > 1e-6 * scaled; scaled *= 10) ++d;
  return d;
}

// The text of a linear tick v on an axis stepped by `step`: as many decimals as the step needs,
// in scientific form when the value is too small or large for that.
std::string linear_text(double v, double step) {
  if (std::fabs(v) < step / 2) return "0";
  const int decimals = decimals_of(step);
  if (decimals <= 6 && std::fabs(v) >= 1e-4 && std::fabs(v) < 1e6) return fixed_text(v, decimals);
  // The places of v's leading digit and of the step's last one (2.5e-9 ends at 1e-10).
  const double power = std::floor(std::log10(step) + 1e-9);
  const double leading = std::floor(std::log10(std::fabs(v)) + 1e-9);
  const double last = power - decimals_of(step / std::pow(10.0, power));
  return short_text(v, std::max(1, static_cast<int>(leading - last) + 1));
}

// v > 0 as "10" raised to its decade, or "m×10" raised to it.
TickLabel power_label(double v) {
  const int e = static_cast<int>(std::floor(std::log10(v) + 1e-9));
  const double mantissa = v / std::pow(10.0, e);
  const std::string m = short_text(mantissa, 3);
  return {m == "1" ? "10" : m + "\xC3\x97" "10", std::to_string(e)};
}

// A label of a logarithmic axis shorter than two decades: the plain number where it is short
// ("0.5", "20"), else as power_label writes it.
TickLabel short_axis_label(double v) {
  if (v >= 1e-2 && v < 1e3) return {short_text(v, 3), ""};
  return power_label(v);
}

// The multiples of `step` in [low, high] (linear values), or none when more than kMostLabels.
std::vector<double> multiples(double low, double high, double step) {
  const double first = std::ceil(low / step - 1e-9), last = std::floor(high / step + 1e-9);
  if (last - first + 1 > static_cast<double>(kMostLabels)) return {};
  std::vector<double> values;
  for (double i = first; i <= last; ++i) values.push_back(i * step);
  return values;
}

double label_extent(const TickLabel& label, bool horizontal) {
  return horizontal ? label_width(label) : kTickFont + (label.exponent.empty() ? 0 : kExponentRise);
}

std::size_t labelled(const Scale& s) {
  return static_cast<std::size_t>(std::count_if(s.ticks.begin(), s.ticks.end(), [](const Tick& t) { return t.labelled; }));
}

// Whether the labelled ticks are at most kMostLabels, at least two, and apart at this length.
bool labels_fit(const Scale& s, double length, bool horizontal) {
  std::size_t count = 0;
  double last_place = 0, last_extent = 0;
  for (const Tick& t : s.ticks) {
    if (!t.labelled) continue;
    const double place = (t.at - s.low) / (s.high - s.low) * length;
    const double extent = label_extent(t.label, horizontal);
    const double gap = horizontal ? kLabelGap : kLineGap;
    if (count > 0 && place - last_place < (extent + last_extent) / 2 + gap) return false;
    last_place = place;
    last_extent = extent;
    ++count;
  }
  return count >= 2 && count <= kMostLabels;
}

// Decade ticks, every k-th labelled; with every decade labelled over a short axis, also the
// minor ticks 2 ... 9 times each decade.
std::vector<Tick> decade_ticks(double low, double high, int k) {
  std::vector<Tick> ticks;
  for (double d = std::floor(low); d <= std::ceil(high); ++d) {
    if (d >= low && d <= high) {
      const bool labelled = std::fmod(d, k) == 0;
      ticks.push_back({d, labelled, labelled ? TickLabel{"10", std::to_string(static_cast<int>(d))} : TickLabel{}});
    }
    if (k == 1 && high - low <= 3) {
      for (int m = 2; m <= 9; ++m) {
        const double at = d + std::log10(m);
        if (at > low && at < high) ticks.push_back({at, false, {}});
      }
    }
  }
  return ticks;
}

Scale logarithmic_scale(double low, double high, double length, bool horizontal) {
  Scale s;
  s.logarithmic = true;
  s.low = low;
  s.high = high;
  if (std::floor(high) - std::ceil(low) >= 1) {  // two decades or more inside the range
    Scale coarsest = s;
    for (int k = 1; k <= 1000; k = k < 5 ? k + 1 : k * 2) {
      s.ticks = decade_ticks(low, high, k);
      if (labelled(s) < 2) break;
      if (labels_fit(s, length, horizontal)) return s;
      coarsest = s;
    }
    return coarsest;
  }
  // Less than two decades: 1, 2 and 5 times each power of ten labelled and the other multiples as
  // minor ticks, else even steps of the values.
  s.ticks.clear();
  for (double d = std::floor(low); d <= std::ceil(high); ++d) {
    for (int m = 1; m <= 9; ++m) {
      const double at = d + std::log10(m);
      const bool labelled = m == 1 || m == 2 || m == 5;
      if (at >= low && at <= high) {
        s.ticks.push_back({at, labelled, labelled ? short_axis_label(m * std::pow(10.0, d)) : TickLabel{}});
      }
    }
  }
  // Two labels say little about a short axis: even steps are tried then too, if they give more.
  const Scale powers = s;
  const bool powers_fit = labels_fit(powers, length, horizontal);
  if (powers_fit && labelled(powers) > 2) return powers;
  const double from = std::pow(10.0, low), to = std::pow(10.0, high);
  for (double step : step_candidates(to - from)) {
    s.ticks.clear();
    for (double v : multiples(from, to, step)) {
      if (v > 0) s.ticks.push_back({std::log10(v), true, short_axis_label(v)});
    }
    if (labels_fit(s, length, horizontal) && (!powers_fit || labelled(s) > labelled(powers))) return s;
  }
  return powers_fit ? powers : s;
}

Scale linear_scale(double low, double high, double length, bool horizontal) {
  Scale s;
  s.low = low;
  s.high = high;
  for (double step : step_candidates(high - low)) {
    const std::vector<double> values = multiples(low, high, step);
    if (values.size() < 2) continue;
    std::size_t longest = 0;
    for (double v : values) longest = std::max(longest, linear_text(v, step).size());
    s.offset = longest > kLongestLabel;
    if (s.offset) {
      const double power = std::ceil(std::log10(high - low));
      const double unit = std::pow(10.0, power);
      s.offset_value = std::round((low + high) / 2 / unit) * unit;
      s.offset = s.offset_value != 0;
      s.offset_text = power >= 0 ? fixed_text(s.offset_value, 0)
                                 : fixed_text(s.offset_value, static_cast<int>(-power));
    }
    s.ticks.clear();
    for (double v : values) {
      s.ticks.push_back({v, true, {linear_text(s.offset ? v - s.offset_value : v, step), ""}});
    }
    if (labels_fit(s, length, horizontal)) return s;
  }
  return s;
}

}  // namespace

bool Scale::shows(double v) const { return std::isfinite(v) && (!logarithmic || v > 0); }

double Scale::scaled(double v) const { return logarithmic ? std::log10(v) : v; }

double label_width(const TickLabel& label) {
  return text_width(label.base, kTickFont) + text_width(label.exponent, kExponentFont);
}

Scale fit_scale(const ChartAxis& axis, const std::vector<double>& values, double length,
                bool horizontal) {
  Scale probe;
  probe.logarithmic = axis.logarithmic;
  double low = HUGE_VAL, high = -HUGE_VAL;
  for (double v : values) {
    if (!probe.shows(v)) continue;
    low = std::min(low, probe.scaled(v));
    high = std::max(high, probe.scaled(v));
  }
  if (axis.held) {
    low = probe.scaled(axis.low);
    high = probe.scaled(axis.high);
  } else if (low > high) {  // nothing to show: a unit range
    low = 0;
    high = 1;
  } else if (high - low <= 1e-12 * std::max(1.0, std::fabs(high))) {  // one value: a span around it
    const double pad = axis.logarithmic ? 0.5 : high != 0 ? std::fabs(high) * 0.01 : 1;
    low -= pad;
    high += pad;
  } else {
    const double pad = axis.logarithmic ? std::clamp(kAxisPad * (high - low), kLeastDecades, kMostDecades)
                                        : kAxisPad * (high - low);
    low -= pad;
    high += pad;
  }
  return axis.logarithmic ? logarithmic_scale(low, high, length, horizontal)
                          : linear_scale(low, high, length, horizontal);
}

}  // namespace malhas
