#include "malhas/presentation/svg_chart.h"

#include <algorithm>
#include <cmath>

#include "malhas/presentation/svg_marks.h"
#include "malhas/presentation/svg_panel.h"
#include "malhas/presentation/svg_text.h"

namespace malhas {
namespace {

constexpr double kMargin = 12;
// The page is at most this wide, so that it fits a screen or a page of 1280 pixels: the plots
// narrow down to kNarrowestPlot before it grows wider.
constexpr double kWidest = 1200;
constexpr double kWidestPlot = 260, kNarrowestPlot = 170;
constexpr double kHeader = 38;
constexpr double kTitleFont = 15, kLegendFont = 12, kNoteFont = 11;
constexpr double kLegendSample = 30, kLegendRow = 20, kLegendSpacing = 22, kNoteRow = 15;

struct LegendEntry {
  std::string name;
  const SeriesStyle* style = nullptr;  // a series' line and marker; none for a band
  std::string band_colour;
};

std::string legend_item(const LegendEntry& entry, double x, double y) {
  std::string svg = "<g class=\"graf-item\">\n";
  if (entry.style != nullptr) {
    svg += "<line x1=\"" + coordinate(x) + "\" y1=\"" + coordinate(y) + "\" x2=\"" +
           coordinate(x + kLegendSample) + "\" y2=\"" + coordinate(y) + "\" " +
           stroke_style(*entry.style) + "/>\n";
    svg += marker_element(*entry.style, x + kLegendSample / 2, y);
  } else {
    svg += "<rect x=\"" + coordinate(x) + "\" y=\"" + coordinate(y - 6) + "\" width=\"" +
           coordinate(kLegendSample) + "\" height=\"12\" fill=\"" + entry.band_colour + "\"/>\n";
  }
  svg += "<text x=\"" + coordinate(x + kLegendSample + 6) + "\" y=\"" + coordinate(y + 4) +
         "\" text-anchor=\"start\" font-size=\"" + coordinate(kLegendFont) + "\">" +
         escaped(entry.name) + "</text>\n</g>\n";
  return svg;
}

// The legend's entries flowing in rows across `width` from `top`; returns its height.
double legend(const std::vector<LegendEntry>& entries, double width, double top, std::string& svg) {
  if (entries.empty()) return 0;
  double x = kMargin, y = top + kLegendRow / 2;
  for (const LegendEntry& e : entries) {
    const double w = kLegendSample + 6 + text_width(e.name, kLegendFont);
    if (x > kMargin && x + w > width - kMargin) {
      x = kMargin;
      y += kLegendRow;
    }
    svg += legend_item(e, x, y);
    x += w + kLegendSpacing;
  }
  return y + kLegendRow / 2 - top;
}

std::string held_note(std::size_t held) {
  return std::to_string(held) + (held == 1 ? " ponto fora da escala, desenhado" : " pontos fora da escala, desenhados") +
         " na borda (triângulo)";
}

// "«a»", "«a» e «b»", "«a», «b» e «c»".
std::string quoted_list(std::vector<std::string> names) {
  for (std::string& name : names) name = "«" + name + "»";
  return listed(names);
}

std::string hidden_note(const ChartPanel& panel, const std::vector<std::string>& names) {
  return panel.title + ": " + quoted_list(names) +
         (names.size() == 1 ? " coincide com uma série desenhada por cima"
                            : " coincidem com séries desenhadas por cima");
}

// One note per band left below the scale, naming its panels ("em todos os painéis" when every
// panel of the chart has it): the same band in six panels is one line, not six.
std::vector<std::string> below_notes(const std::vector<std::pair<std::string, std::string>>& below,
                                     std::size_t panels) {
  std::vector<std::string> names, notes;
  for (const auto& [band, panel] : below) {
    if (std::find(names.begin(), names.end(), band) == names.end()) names.push_back(band);
  }
  for (const std::string& band : names) {
    std::vector<std::string> where;
    for (const auto& [name, panel] : below) {
      if (name == band) where.push_back(panel);
    }
    notes.push_back(quoted_list({band}) + " fica abaixo da escala " +
                    (where.size() == panels && panels > 1 ? "em todos os painéis" : "em " + listed(where)));
  }
  return notes;
}

std::string held_lines_note(const ChartPanel& panel, const std::vector<std::string>& names) {
  return panel.title + ": " + quoted_list(names) + (names.size() == 1 ? " sai" : " saem") +
         " da escala e segue" + (names.size() == 1 ? "" : "m") + " pela borda";
}

}  // namespace

std::string svg_chart(const Chart& chart) {
  const std::size_t columns = std::max<std::size_t>(1, std::min(chart.columns, chart.panels.size()));
  const std::size_t rows = (chart.panels.size() + columns - 1) / columns;
  std::vector<PanelPlan> plans;
  std::vector<double> left(columns, 0), right(columns, 0);
  for (std::size_t i = 0; i < chart.panels.size(); ++i) {
    plans.push_back(plan_panel(chart.panels[i]));
    left[i % columns] = std::max(left[i % columns], plans.back().left);
    right[i % columns] = std::max(right[i % columns], plans.back().right);
  }
  double margins = 0;
  for (std::size_t c = 0; c < columns; ++c) margins += left[c] + right[c];
  const double plot_width = std::clamp((kWidest - 2 * kMargin - margins) / static_cast<double>(columns),
                                       kNarrowestPlot, kWidestPlot);
  const double row_height = kPanelTop + kPlotHeight + kPanelBottom;

  std::string body;
  std::vector<std::string> notes = chart.notes;
  std::vector<LegendEntry> entries;
  const auto add_entry = [&](LegendEntry e) {
    const bool known = std::any_of(entries.begin(), entries.end(),
                                   [&](const LegendEntry& f) { return f.name == e.name; });
    if (!known) entries.push_back(std::move(e));
  };
  std::size_t held = 0;
  std::vector<std::pair<std::string, std::string>> bands_below;  // band, panel
  std::vector<std::vector<std::size_t>> drawn_series;  // per panel
  for (std::size_t i = 0; i < chart.panels.size(); ++i) {
    const ChartPanel& panel = chart.panels[i];
    const std::size_t c = i % columns;
    PanelPlan plan = plans[i];
    plan.left = left[c];  // plots of a column line up
    plan.right = right[c];
    const PanelDrawing drawn = draw_panel(panel, plan, plot_width);
    double x = kMargin;
    for (std::size_t k = 0; k < c; ++k) x += left[k] + plot_width + right[k];
    const double y = kHeader + static_cast<double>(i / columns) * row_height;
    body += "<g class=\"graf-painel\" transform=\"translate(" + coordinate(x) + " " + coordinate(y) +
            ")\">\n" + drawn.svg + "</g>\n";
    held += drawn.held;
    if (!drawn.hidden.empty()) notes.push_back(hidden_note(panel, drawn.hidden));
    if (!drawn.held_lines.empty()) notes.push_back(held_lines_note(panel, drawn.held_lines));
    for (const std::string& band : drawn.bands_below) bands_below.emplace_back(band, panel.title);
    for (std::size_t b : drawn.drawn_bands) add_entry({panel.bands[b].name, nullptr, panel.bands[b].colour});
    drawn_series.push_back(drawn.drawn_series);
  }
  // The legend in the order of the series in their panels: the same kind of series shares its
  // place in each panel.
  for (std::size_t place = 0;; ++place) {
    bool more = false;
    for (std::size_t i = 0; i < chart.panels.size(); ++i) {
      more |= place < chart.panels[i].series.size();
      const std::vector<std::size_t>& drawn = drawn_series[i];
      if (std::find(drawn.begin(), drawn.end(), place) == drawn.end()) continue;
      const ChartSeries& s = chart.panels[i].series[place];
      if (s.end_label.empty()) add_entry({s.name, &s.style, {}});
    }
    if (!more) break;
  }
  for (std::string& note : below_notes(bands_below, chart.panels.size())) notes.push_back(std::move(note));
  if (held > 0) notes.push_back(held_note(held));

  double grid_width = 2 * kMargin;
  for (std::size_t c = 0; c < columns; ++c) grid_width += left[c] + plot_width + right[c];
  const double width = std::ceil(std::max(grid_width, text_width(chart.title, kTitleFont) + 2 * kMargin));
  double y = kHeader + static_cast<double>(rows) * row_height;
  std::string below;
  y += legend(entries, width, y, below);
  for (const std::string& note : notes) {
    for (const std::string& line : wrapped(note, width - 2 * kMargin, kNoteFont)) {
      y += kNoteRow;
      below += "<text class=\"graf-nota\" x=\"" + coordinate(kMargin) + "\" y=\"" + coordinate(y) +
               "\" text-anchor=\"start\" font-size=\"" + coordinate(kNoteFont) + "\">" + escaped(line) +
               "</text>\n";
    }
  }
  const double height = std::ceil(y + kMargin);
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + coordinate(width) + "\" height=\"" +
         coordinate(height) + "\" viewBox=\"0 0 " + coordinate(width) + " " + coordinate(height) +
         "\" font-family=\"sans-serif\" font-size=\"12\">\n"
         "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
         "<text class=\"graf-titulo\" x=\"" + coordinate(kMargin) + "\" y=\"24\" text-anchor=\"start\" font-size=\"" +
         coordinate(kTitleFont) + "\" font-weight=\"bold\">" + escaped(chart.title) + "</text>\n" +
         body + below + "</svg>\n";
}

}  // namespace malhas
