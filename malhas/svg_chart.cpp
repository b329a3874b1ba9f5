#include "malhas/svg_chart.h"

#include <algorithm>
#include <cmath>

#include "malhas/number_text.h"

namespace malhas {
namespace {

// The page and the plot area inside it, in SVG user units; the legend sits right of the plot.
constexpr double kWidth = 860, kHeight = 540;
constexpr double kLeft = 90, kRight = 620, kTop = 50, kBottom = 460;

// An axis's range in its own scale (decades for a logarithmic axis) and its tick positions.
struct Scale {
  bool logarithmic = false;
  double low = 0, high = 1;
  std::vector<double> ticks;
};

bool shown_on(const ChartAxis& axis, double v) {
  return std::isfinite(v) && (!axis.logarithmic || v > 0);
}

double scaled(const Scale& s, double v) { return s.logarithmic ? std::log10(v) : v; }

// 1, 2 or 5 times a power of ten, about a fifth of the span.
double tick_step(double span) {
  const double power = std::pow(10.0, std::floor(std::log10(span / 5)));
  for (double m : {1.0, 2.0, 5.0}) {
    if (span / (m * power) <= 7) return m * power;
  }
  return 10 * power;
}

Scale make_scale(const ChartAxis& axis, std::vector<double> values) {
  Scale s;
  s.logarithmic = axis.logarithmic;
  if (values.empty()) values = {1, 10};
  const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
  double low = scaled(s, *lowest), high = scaled(s, *highest);
  if (s.logarithmic) {
    s.low = std::floor(low);
    s.high = std::max(std::ceil(high), s.low + 1);
    for (double d = s.low; d <= s.high; ++d) s.ticks.push_back(d);
    return s;
  }
  if (high - low < 1e-12 * std::max(1.0, std::fabs(high))) {  // one value: a span around it
    const double pad = std::max(1.0, std::fabs(high) * 0.1);
    low -= pad;
    high += pad;
  }
  const double step = tick_step(high - low);
  s.low = std::floor(low / step) * step;
  s.high = std::ceil(high / step) * step;
  const auto first = static_cast<long long>(std::llround(s.low / step));
  const auto last = static_cast<long long>(std::llround(s.high / step));
  for (long long i = first; i <= last; ++i) s.ticks.push_back(static_cast<double>(i) * step);
  return s;
}

std::string coordinate(double v) { return fixed_text(v, 2); }

double place(const Scale& s, double scaled_value, double from, double to) {
  return from + (scaled_value - s.low) / (s.high - s.low) * (to - from);
}

std::string escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '&') out += "&amp;";
    else if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else out += c;
  }
  return out;
}

std::string text_element(double x, double y, const std::string& anchor, const std::string& body,
                         const std::string& extra = "") {
  return "<text x=\"" + coordinate(x) + "\" y=\"" + coordinate(y) + "\" text-anchor=\"" + anchor +
         "\"" + extra + ">" + body + "</text>\n";
}

std::string line_element(double x1, double y1, double x2, double y2, const std::string& style) {
  return "<line x1=\"" + coordinate(x1) + "\" y1=\"" + coordinate(y1) + "\" x2=\"" +
         coordinate(x2) + "\" y2=\"" + coordinate(y2) + "\" " + style + "/>\n";
}

// "10" with the exponent raised for a decade, a plain number otherwise.
std::string tick_label(const Scale& s, double tick) {
  if (!s.logarithmic) return short_text(tick, 6);
  return "10<tspan dy=\"-7\" font-size=\"10\">" + std::to_string(static_cast<int>(tick)) +
         "</tspan>";
}

std::string axes(const Chart& chart, const Scale& sx, const Scale& sy) {
  std::string svg = "<rect x=\"" + coordinate(kLeft) + "\" y=\"" + coordinate(kTop) +
                    "\" width=\"" + coordinate(kRight - kLeft) + "\" height=\"" +
                    coordinate(kBottom - kTop) + "\" fill=\"none\" stroke=\"black\"/>\n";
  for (double t : sx.ticks) {
    const double x = place(sx, t, kLeft, kRight);
    svg += line_element(x, kTop, x, kBottom, "stroke=\"#dddddd\"");
    svg += text_element(x, kBottom + 20, "middle", tick_label(sx, t));
  }
  for (double t : sy.ticks) {
    const double y = place(sy, t, kBottom, kTop);
    svg += line_element(kLeft, y, kRight, y, "stroke=\"#dddddd\"");
    svg += text_element(kLeft - 8, y + 4, "end", tick_label(sy, t));
  }
  svg += text_element((kLeft + kRight) / 2, kTop - 20, "middle", escaped(chart.title),
                      " font-size=\"16\"");
  svg += text_element((kLeft + kRight) / 2, kBottom + 50, "middle", escaped(chart.x.title));
  const double ymid = (kTop + kBottom) / 2;
  svg += text_element(25, ymid, "middle", escaped(chart.y.title),
                      " transform=\"rotate(-90 25 " + coordinate(ymid) + ")\"");
  return svg;
}

std::string stroke(const ChartSeries& s) {
  return "stroke=\"" + s.colour + "\" stroke-width=\"1.5\"" +
         (s.dashed ? " stroke-dasharray=\"6 4\"" : "");
}

std::string series_elements(const ChartSeries& s, const Chart& chart, const Scale& sx,
                            const Scale& sy) {
  std::string points, markers;
  for (const auto& [x, y] : s.points) {
    if (!shown_on(chart.x, x) || !shown_on(chart.y, y)) continue;
    const std::string px = coordinate(place(sx, scaled(sx, x), kLeft, kRight));
    const std::string py = coordinate(place(sy, scaled(sy, y), kBottom, kTop));
    points += (points.empty() ? "" : " ") + px + "," + py;
    if (s.markers) {
      markers += "<circle cx=\"" + px + "\" cy=\"" + py + "\" r=\"3\" fill=\"" + s.colour + "\"/>\n";
    }
  }
  if (points.empty()) return {};
  return "<polyline points=\"" + points + "\" fill=\"none\" " + stroke(s) + "/>\n" + markers;
}

std::string legend(const std::vector<ChartSeries>& series) {
  std::string svg;
  double y = kTop + 10;
  for (const ChartSeries& s : series) {
    svg += line_element(kRight + 20, y, kRight + 50, y, stroke(s));
    svg += text_element(kRight + 58, y + 4, "start", escaped(s.name));
    y += 22;
  }
  return svg;
}

}  // namespace

std::string svg_chart(const Chart& chart) {
  std::vector<double> xs, ys;
  for (const ChartSeries& s : chart.series) {
    for (const auto& [x, y] : s.points) {
      if (!shown_on(chart.x, x) || !shown_on(chart.y, y)) continue;
      xs.push_back(x);
      ys.push_back(y);
    }
  }
  const Scale sx = make_scale(chart.x, xs);
  const Scale sy = make_scale(chart.y, ys);
  std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + coordinate(kWidth) + "\" height=\"" +
      coordinate(kHeight) + "\" viewBox=\"0 0 " + coordinate(kWidth) + " " + coordinate(kHeight) +
      "\" font-family=\"sans-serif\" font-size=\"12\">\n"
      "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
  svg += axes(chart, sx, sy);
  for (const ChartSeries& s : chart.series) svg += series_elements(s, chart, sx, sy);
  svg += legend(chart.series);
  return svg + "</svg>\n";
}

}  // namespace malhas
