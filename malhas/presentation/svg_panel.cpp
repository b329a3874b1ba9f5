#include "malhas/presentation/svg_panel.h"

#include <algorithm>
#include <cmath>

#include "malhas/presentation/svg_marks.h"
#include "malhas/presentation/svg_text.h"

namespace malhas {
namespace {

constexpr double kYTitleAt = 14;  // the y title's middle line, from the panel's left
constexpr double kLabelGap = 7;   // between a y tick label and the plot
constexpr double kTickLength = 4;
constexpr double kPanelTitleFont = 13, kAxisTitleFont = 12, kEndFont = 10;
constexpr double kEndStep = 12;    // the line spacing of end labels
constexpr double kEndSample = 14;  // the stroke of colour before an end label
constexpr double kNarrowRight = 30;  // right of the plot without end labels: half an x label
// Points of two series closer than this in both directions are drawn over each other.
constexpr double kSameSpot = 1.5;
// Triangles held at one place of an edge step inwards by this, so that each shows.
constexpr double kEdgeStack = 9;

// A point in the panel's pixels; `edge` is 1 or -1 when held at the top or bottom of the plot.
struct Placed {
  double x = 0, y = 0;
  int edge = 0;
  bool marked = false;
};

std::vector<double> x_values(const ChartPanel& panel) {
  std::vector<double> xs;
  for (const ChartSeries& s : panel.series) {
    for (const ChartPoint& p : s.points) xs.push_back(p.x);
  }
  for (const ChartBand& b : panel.bands) {
    for (const auto* line : {&b.upper, &b.lower}) {
      for (const ChartPoint& p : *line) xs.push_back(p.x);
    }
  }
  return xs;
}

// The values the y axis fits: the series', those of the bands with both lines, and the tops of
// a floor band (one with no lower line) that come within kFloorReach of the series' lowest
// point on a logarithmic axis (on a linear one, all): a floor far below the data is named in a
// note rather than drawn at the price of empty decades.
constexpr double kFloorReach = 100;

std::vector<double> y_values(const ChartPanel& panel) {
  std::vector<double> ys;
  double lowest = HUGE_VAL;
  for (const ChartSeries& s : panel.series) {
    for (const ChartPoint& p : s.points) {
      ys.push_back(p.y);
      if (p.y > 0) lowest = std::min(lowest, p.y);
    }
  }
  for (const ChartBand& b : panel.bands) {
    for (const auto* line : {&b.upper, &b.lower}) {
      for (const ChartPoint& p : *line) {
        if (!b.lower.empty() || !panel.y.logarithmic || p.y * kFloorReach >= lowest) ys.push_back(p.y);
      }
    }
  }
  return ys;
}

std::string text_element(double x, double y, const std::string& anchor, double font,
                         const std::string& body, const std::string& extra) {
  return "<text" + extra + " x=\"" + coordinate(x) + "\" y=\"" + coordinate(y) +
         "\" text-anchor=\"" + anchor + "\" font-size=\"" + coordinate(font) + "\">" + body +
         "</text>\n";
}

std::string line_element(double x1, double y1, double x2, double y2, const std::string& style) {
  return "<line x1=\"" + coordinate(x1) + "\" y1=\"" + coordinate(y1) + "\" x2=\"" +
         coordinate(x2) + "\" y2=\"" + coordinate(y2) + "\" " + style + "/>\n";
}

std::string label_body(const TickLabel& label) {
  std::string body = escaped(label.base);
  if (!label.exponent.empty()) {
    body += "<tspan dy=\"-5\" font-size=\"" + coordinate(kExponentFont) + "\">" +
            escaped(label.exponent) + "</tspan>";
  }
  return body;
}

// "title − offset [unit]": the offset an axis's labels are counted from, and its unit.
std::string axis_title(const ChartAxis& axis, const Scale& s) {
  std::string title = axis.title;
  if (s.offset) {
    const bool negative = s.offset_text.front() == '-';
    title += negative ? " + " + s.offset_text.substr(1) : " \xE2\x88\x92 " + s.offset_text;
  }
  if (!axis.unit.empty()) title += " [" + axis.unit + "]";
  return escaped(title);
}

// The plot's area in the panel's frame, and where a value in an axis's own scale falls on it
// (held to the plot by the caller where it must be).
struct Plot {
  double left, right, top, bottom;
  double x_at(const Scale& s, double scaled) const {
    return left + (scaled - s.low) / (s.high - s.low) * (right - left);
  }
  double y_at(const Scale& s, double scaled) const {
    return bottom - (scaled - s.low) / (s.high - s.low) * (bottom - top);
  }
};

std::string scale_class(const Scale& s) {
  return std::string(" data-escala=\"") + (s.logarithmic ? "log" : "linear") + "\"";
}

// The plot's outline and the panel's title.
std::string frame(const ChartPanel& panel, const Plot& plot) {
  return "<rect class=\"graf-area\" x=\"" + coordinate(plot.left) + "\" y=\"" + coordinate(plot.top) +
         "\" width=\"" + coordinate(plot.right - plot.left) + "\" height=\"" +
         coordinate(plot.bottom - plot.top) + "\" fill=\"none\" stroke=\"#444444\"/>\n" +
         text_element(plot.left, 18, "start", kPanelTitleFont, escaped(panel.title),
                      " class=\"graf-titulo-painel\" font-weight=\"bold\"");
}

// A panel with nothing its axes could show: the frame, and a word saying so.
std::string empty_plot(const ChartPanel& panel, const Plot& plot) {
  return frame(panel, plot) + text_element((plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2,
                                           "middle", kAxisTitleFont, "sem pontos a desenhar",
                                           " class=\"graf-vazio\"");
}

std::string axes(const ChartPanel& panel, const Scale& sx, const Scale& sy, const Plot& plot) {
  std::string svg = "<g class=\"graf-eixo-x\"" + scale_class(sx) + ">\n";
  for (const Tick& t : sx.ticks) {
    const double x = plot.x_at(sx, t.at);
    if (t.labelled) {
      svg += line_element(x, plot.top, x, plot.bottom, "stroke=\"#e3e3e3\"");
      svg += text_element(x, plot.bottom + 20, "middle", kTickFont, label_body(t.label),
                          " class=\"graf-rotulo\"");
    }
    svg += line_element(x, plot.bottom, x, plot.bottom - (t.labelled ? kTickLength : kTickLength / 2),
                        "stroke=\"#444444\"");
  }
  svg += "</g>\n<g class=\"graf-eixo-y\"" + scale_class(sy) + ">\n";
  for (const Tick& t : sy.ticks) {
    const double y = plot.y_at(sy, t.at);
    if (t.labelled) {
      svg += line_element(plot.left, y, plot.right, y, "stroke=\"#e3e3e3\"");
      svg += text_element(plot.left - kLabelGap, y + 4, "end", kTickFont, label_body(t.label),
                          " class=\"graf-rotulo\"");
    }
    svg += line_element(plot.left, y, plot.left + (t.labelled ? kTickLength : kTickLength / 2), y,
                        "stroke=\"#444444\"");
  }
  svg += "</g>\n" + frame(panel, plot);
  svg += text_element((plot.left + plot.right) / 2, plot.bottom + 40, "middle", kAxisTitleFont,
                      axis_title(panel.x, sx), " class=\"graf-titulo-x\"");
  const double middle = (plot.top + plot.bottom) / 2;
  svg += text_element(kYTitleAt, middle, "middle", kAxisTitleFont, axis_title(panel.y, sy),
                      " class=\"graf-titulo-y\" transform=\"rotate(-90 " + coordinate(kYTitleAt) +
                          " " + coordinate(middle) + ")\"");
  return svg;
}

// The series' points in pixels, those off a held axis at its edge.
std::vector<Placed> place(const ChartSeries& s, const Scale& sx, const Scale& sy, const Plot& plot) {
  std::vector<Placed> placed;
  for (const ChartPoint& p : s.points) {
    if (!sx.shows(p.x) || !sy.shows(p.y)) continue;
    const double y = sy.scaled(p.y);
    const int edge = y > sy.high ? 1 : y < sy.low ? -1 : 0;
    placed.push_back({plot.x_at(sx, sx.scaled(p.x)), plot.y_at(sy, std::clamp(y, sy.low, sy.high)), edge, p.marked});
  }
  return placed;
}

std::string band_element(const ChartBand& band, const Scale& sx, const Scale& sy, const Plot& plot) {
  std::vector<std::pair<double, double>> outline;
  const auto add = [&](const ChartPoint& p) {
    if (!sx.shows(p.x) || !sy.shows(p.y)) return;
    outline.emplace_back(plot.x_at(sx, sx.scaled(p.x)), plot.y_at(sy, std::clamp(sy.scaled(p.y), sy.low, sy.high)));
  };
  for (const ChartPoint& p : band.upper) add(p);
  const bool flat = std::all_of(outline.begin(), outline.end(), [&](const auto& p) { return p.second >= plot.bottom; });
  if (outline.empty() || flat) return {};
  if (band.lower.empty()) {
    outline.emplace_back(outline.back().first, plot.bottom);
    outline.emplace_back(outline.front().first, plot.bottom);
  } else {
    for (auto p = band.lower.rbegin(); p != band.lower.rend(); ++p) add(*p);
  }
  std::string points;
  for (const auto& [x, y] : outline) points += (points.empty() ? "" : " ") + coordinate(x) + "," + coordinate(y);
  return "<g class=\"graf-faixa\">\n<title>" + escaped(band.name) + "</title>\n<polygon points=\"" +
         points + "\" fill=\"" + band.colour + "\" stroke=\"none\"/>\n</g>\n";
}

// The series' group; triangles at an edge step inwards past those already at their place.
std::string series_element(const ChartSeries& s, const std::vector<Placed>& placed,
                           std::vector<Placed>& edge_marks) {
  std::string points, marks;
  for (const Placed& p : placed) {
    points += (points.empty() ? "" : " ") + coordinate(p.x) + "," + coordinate(p.y);
    double y = p.y;  // the marker's centre: a triangle's lies inside the plot, its tip on the edge
    if (p.edge != 0 && s.style.marker != MarkerShape::None) {
      y += p.edge * kEdgeInset;  // inwards: down from the top, up from the bottom
      for (const Placed& q : edge_marks) {
        if (q.edge == p.edge && std::fabs(q.x - p.x) < kEdgeStack && std::fabs(q.y - y) < kEdgeStack / 2) {
          y += p.edge * kEdgeStack;
        }
      }
      edge_marks.push_back({p.x, y, p.edge, false});
      marks += edge_element(s.style, p.x, y, p.edge);
    } else if (p.edge == 0) {
      marks += marker_element(s.style, p.x, p.y);
    }
    if (p.marked) marks += ring_element(s.style, p.x, y);
  }
  return "<g class=\"graf-serie\">\n<title>" + escaped(s.name) + "</title>\n<polyline points=\"" +
         points + "\" fill=\"none\" " + stroke_style(s.style) + "/>\n" + marks + "</g>\n";
}

bool leftwards(const Placed& a, const Placed& b) { return a.x < b.x; }

// Whether every point of `under` has a point of `over` (sorted by x) on the same spot.
bool covered(const std::vector<Placed>& under, const std::vector<Placed>& over) {
  for (const Placed& p : under) {
    auto q = std::lower_bound(over.begin(), over.end(), p.x - kSameSpot,
                              [](const Placed& a, double x) { return a.x < x; });
    bool found = false;
    for (; q != over.end() && q->x <= p.x + kSameSpot && !found; ++q) {
      found = std::fabs(q->y - p.y) <= kSameSpot;
    }
    if (!found) return false;
  }
  return true;
}

struct EndLabel {
  double y;
  const ChartSeries* series;
};

// The end labels, level with their series' rightmost points where they do not touch, else
// pushed apart within the plot's height (and a little beyond); when more than fit, every k-th.
std::string end_labels(std::vector<EndLabel> labels, const Plot& plot) {
  if (labels.empty()) return {};
  std::sort(labels.begin(), labels.end(), [](const EndLabel& a, const EndLabel& b) { return a.y < b.y; });
  const double top = plot.top - 4, bottom = plot.bottom + 4;
  const auto fits = static_cast<std::size_t>((bottom - top) / kEndStep) + 1;
  if (labels.size() > fits) {
    const std::size_t k = (labels.size() + fits - 1) / fits;
    std::vector<EndLabel> kept;
    for (std::size_t i = 0; i < labels.size(); i += k) kept.push_back(labels[i]);
    labels = std::move(kept);
  }
  for (std::size_t i = 0; i < labels.size(); ++i) {
    labels[i].y = std::max(labels[i].y, i == 0 ? top : labels[i - 1].y + kEndStep);
  }
  for (std::size_t i = labels.size(); i-- > 0;) {
    labels[i].y = std::min(labels[i].y, i + 1 == labels.size() ? bottom : labels[i + 1].y - kEndStep);
  }
  std::string svg;
  for (const EndLabel& label : labels) {
    const SeriesStyle& style = label.series->style;
    svg += line_element(plot.right + 6, label.y, plot.right + 6 + kEndSample, label.y,
                        "stroke=\"" + style.colour + "\" stroke-width=\"2\"");
    svg += text_element(plot.right + 10 + kEndSample, label.y + 3.5, "start", kEndFont,
                        escaped(label.series->end_label),
                        " class=\"graf-rotulo-fim\" fill=\"" + style.colour + "\"");
  }
  return svg;
}

}  // namespace

PanelPlan plan_panel(const ChartPanel& panel) {
  PanelPlan plan;
  plan.y = fit_scale(panel.y, y_values(panel), kPlotHeight, false);
  double widest = 0;
  for (const Tick& t : plan.y.ticks) {
    if (t.labelled) widest = std::max(widest, label_width(t.label));
  }
  plan.left = kYTitleAt + 8 + widest + kLabelGap;
  plan.right = kNarrowRight;
  for (const ChartSeries& s : panel.series) {
    if (s.end_label.empty()) continue;
    plan.right = std::max(plan.right, 10 + kEndSample + text_width(s.end_label, kEndFont) + 4);
  }
  return plan;
}

PanelDrawing draw_panel(const ChartPanel& panel, const PanelPlan& plan, double plot_width) {
  const Plot plot{plan.left, plan.left + plot_width, kPanelTop, kPanelTop + kPlotHeight};
  const Scale sx = fit_scale(panel.x, x_values(panel), plot_width, true);
  const Scale& sy = plan.y;
  PanelDrawing drawn;
  std::vector<std::vector<Placed>> placed, sorted;
  for (const ChartSeries& s : panel.series) {
    placed.push_back(place(s, sx, sy, plot));
    sorted.push_back(placed.back());
    std::sort(sorted.back().begin(), sorted.back().end(), leftwards);
  }
  if (std::all_of(placed.begin(), placed.end(), [](const auto& p) { return p.empty(); })) {
    drawn.svg = empty_plot(panel, plot);
    return drawn;
  }
  drawn.svg = axes(panel, sx, sy, plot);
  for (std::size_t i = 0; i < panel.bands.size(); ++i) {
    const std::string band = band_element(panel.bands[i], sx, sy, plot);
    if (!band.empty()) drawn.drawn_bands.push_back(i);
    if (band.empty() && !panel.bands[i].upper.empty()) drawn.bands_below.push_back(panel.bands[i].name);
    drawn.svg += band;
  }
  std::vector<Placed> edge_marks;
  std::vector<EndLabel> labels;
  for (std::size_t i = 0; i < panel.series.size(); ++i) {
    if (placed[i].empty()) continue;
    const ChartSeries& s = panel.series[i];
    drawn.svg += series_element(s, placed[i], edge_marks);
    drawn.drawn_series.push_back(i);
    const auto held = static_cast<std::size_t>(std::count_if(
        placed[i].begin(), placed[i].end(), [](const Placed& p) { return p.edge != 0; }));
    if (s.style.marker == MarkerShape::None && held > 0) {
      drawn.held_lines.push_back(s.name);
    } else {
      drawn.held += held;
    }
    if (!s.end_label.empty()) {
      labels.push_back({sorted[i].back().y, &s});
    }
    for (std::size_t j = i + 1; j < panel.series.size(); ++j) {
      if (!placed[j].empty() && covered(placed[i], sorted[j])) {
        drawn.hidden.push_back(s.name);
        break;
      }
    }
  }
  drawn.svg += end_labels(std::move(labels), plot);
  return drawn;
}

}  // namespace malhas
