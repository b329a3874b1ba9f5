#include "malhas/presentation/svg_chart.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "malhas/presentation/number_text.h"

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
  std::string style = "stroke=\"" + s.colour + "\" stroke-width=\"1.5\"";
  if (s.line == LineStyle::Dashed) style += " stroke-dasharray=\"6 4\"";
  if (s.line == LineStyle::Dotted) style += " stroke-dasharray=\"1.5 3\"";
  return style;
}

// A dot, a ring for a marked mesh, or a triangle pointing off the plot for a point held at its
// top (`edge` > 0) or bottom (`edge` < 0) edge.
std::string marker(const ChartSeries& s, const std::string& px, const std::string& py,
                   double x, double y, bool open, int edge) {
  const std::string paint = open ? "fill=\"white\" stroke=\"" + s.colour + "\" stroke-width=\"1.5\""
                                 : "fill=\"" + s.colour + "\"";
  if (edge == 0) {
    return "<circle cx=\"" + px + "\" cy=\"" + py + "\" r=\"3\" " + paint + "/>\n";
  }
  const double tip = edge > 0 ? y - 5 : y + 5, base = edge > 0 ? y + 2 : y - 2;
  return "<polygon points=\"" + coordinate(x - 4) + "," + coordinate(base) + " " +
         coordinate(x + 4) + "," + coordinate(base) + " " + coordinate(x) + "," + coordinate(tip) +
         "\" " + paint + "/>\n";
}

// The series' group, and how many of its points were held at an edge.
std::string series_elements(const ChartSeries& s, const Chart& chart, const Scale& sx,
                            const Scale& sy, std::size_t& held) {
  std::string points, markers;
  for (const ChartPoint& p : s.points) {
    if (!shown_on(chart.x, p.x) || !shown_on(chart.y, p.y)) continue;
    double y = scaled(sy, p.y);
    const int edge = y > sy.high ? 1 : y < sy.low ? -1 : 0;
    y = std::clamp(y, sy.low, sy.high);
    if (edge != 0) ++held;
    const double x_place = place(sx, scaled(sx, p.x), kLeft, kRight);
    const double y_place = place(sy, y, kBottom, kTop);
    const std::string px = coordinate(x_place), py = coordinate(y_place);
    points += (points.empty() ? "" : " ") + px + "," + py;
    if (s.markers || edge != 0) markers += marker(s, px, py, x_place, y_place, p.open, edge);
  }
  if (points.empty()) return {};
  return "<g>\n<title>" + escaped(s.name) + "</title>\n<polyline points=\"" + points +
         "\" fill=\"none\" " + stroke(s) + "/>\n" + markers + "</g>\n";
}

// An estimate of a label's width in user units at the font size of 12: a generous 8 per
// character (UTF-8 continuation bytes are not characters), so that the page always holds it.
double label_width(const std::string& text) {
  std::size_t characters = 0;
  for (unsigned char c : text) characters += (c & 0xC0) != 0x80;
  return 8 * static_cast<double>(characters);
}

constexpr double kLegendText = kRight + 58, kLegendStep = 22, kNoteStep = 18;

std::string legend(const std::vector<ChartSeries>& series, const std::vector<std::string>& notes) {
  std::string svg;
  double y = kTop + 10;
  for (const ChartSeries& s : series) {
    svg += line_element(kRight + 20, y, kRight + 50, y, stroke(s));
    svg += text_element(kLegendText, y + 4, "start", escaped(s.name));
    y += kLegendStep;
  }
  for (const std::string& note : notes) {
    svg += text_element(kRight + 20, y + 4, "start", escaped(note), " font-size=\"11\"");
    y += kNoteStep;
  }
  return svg;
}

// The page: wide enough for the longest label, tall enough for the whole legend.
std::pair<double, double> page_size(const std::vector<ChartSeries>& series,
                                    const std::vector<std::string>& notes) {
  double width = kWidth;
  for (const ChartSeries& s : series) width = std::max(width, kLegendText + label_width(s.name) + 20);
  for (const std::string& note : notes) width = std::max(width, kRight + 20 + label_width(note) + 20);
  const double legend_bottom = kTop + 10 + kLegendStep * static_cast<double>(series.size()) +
                               kNoteStep * static_cast<double>(notes.size());
  return {std::ceil(width), std::max(kHeight, std::ceil(legend_bottom + 20))};
}

}  // namespace

std::string svg_chart(const Chart& chart) {
  std::vector<double> xs, ys;
  for (const ChartSeries& s : chart.series) {
    for (const ChartPoint& p : s.points) {
      if (!shown_on(chart.x, p.x) || !shown_on(chart.y, p.y)) continue;
      xs.push_back(p.x);
      ys.push_back(p.y);
    }
  }
  if (chart.y.held) ys = {chart.y.low, chart.y.high};
  const Scale sx = make_scale(chart.x, xs);
  const Scale sy = make_scale(chart.y, ys);
  std::string plotted;
  std::size_t held = 0;
  for (const ChartSeries& s : chart.series) plotted += series_elements(s, chart, sx, sy, held);
  std::vector<std::string> notes = chart.notes;
  if (held > 0) {
    notes.push_back(std::to_string(held) + (held == 1 ? " ponto fora da escala, desenhado"
                                                      : " pontos fora da escala, desenhados") +
                    " na borda (triângulo)");
  }
  const auto [width, height] = page_size(chart.series, notes);
  std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + coordinate(width) + "\" height=\"" +
      coordinate(height) + "\" viewBox=\"0 0 " + coordinate(width) + " " + coordinate(height) +
      "\" font-family=\"sans-serif\" font-size=\"12\">\n"
      "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
  svg += axes(chart, sx, sy);
  svg += plotted;
  svg += legend(chart.series, notes);
  return svg + "</svg>\n";
}

}  // namespace malhas
