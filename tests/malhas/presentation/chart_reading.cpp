#include "tests/malhas/presentation/chart_reading.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <regex>
#include <stdexcept>

#include "tests/malhas/presentation/xml_tree.h"

namespace malhas {
namespace {

double number(const std::string& text) {
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0') throw std::runtime_error("not a number: '" + text + "'");
  return v;
}

double attribute_number(const XmlElement& e, const std::string& name, double otherwise) {
  const std::string v = e.attribute(name);
  return v.empty() ? otherwise : number(v);
}

std::pair<double, double> translation(const XmlElement& e) {
  std::smatch m;
  const std::string t = e.attribute("transform");
  if (!std::regex_search(t, m, std::regex("translate\\(([-0-9.]+) ([-0-9.]+)\\)"))) return {0, 0};
  return {number(m[1].str()), number(m[2].str())};
}

std::vector<std::pair<double, double>> point_list(const std::string& text, double ox, double oy) {
  std::vector<std::pair<double, double>> points;
  const std::regex pair("([-0-9.]+),([-0-9.]+)");
  for (auto p = std::sregex_iterator(text.begin(), text.end(), pair); p != std::sregex_iterator(); ++p) {
    points.emplace_back(number((*p)[1].str()) + ox, number((*p)[2].str()) + oy);
  }
  return points;
}

// A text's raised part (a tspan), empty when it has none.
std::string exponent_of(const XmlElement& text) {
  return text.children.empty() ? std::string() : text.children.front().text;
}

// Widths in em no glyph of DejaVu Sans (the widest of the usual sans-serif fonts) exceeds: 0.4
// for narrow punctuation and i, j, l, f, t; 0.64 for digits and lower-case letters; 0.8 for
// capitals; a whole em for m, w, M, W, × and any other sign; 0.7 for any other character.
double em_width(const std::string& text) {
  double em = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if ((c & 0xC0) == 0x80) continue;  // a continuation byte
    const char a = static_cast<char>(c);
    const bool sign = text.compare(i, 2, "\xC3\x97") == 0 || text.compare(i, 3, "\xE2\x88\x92") == 0;
    if (sign) em += 1;  // × and −
    else if (c >= 0x80) em += 0.7;
    else if (std::string(" .,:;!|'()[]/ijlft-").find(a) != std::string::npos) em += 0.4;
    else if (std::string("mwMW").find(a) != std::string::npos) em += 1;
    else if (std::isupper(c)) em += 0.8;
    else if (std::isalnum(c)) em += 0.64;
    else em += 1;
  }
  return em;
}

TextBox box_of(const XmlElement& text, double ox, double oy) {
  const double x = number(text.attribute("x")) + ox, y = number(text.attribute("y")) + oy;
  const double font = attribute_number(text, "font-size", 12);
  const std::string exponent = exponent_of(text);
  const double exponent_font = text.children.empty() ? 0 : attribute_number(text.children.front(), "font-size", font);
  const double width = em_width(text.text) * font + em_width(exponent) * exponent_font;
  const std::string anchor = text.attribute("text-anchor");
  TextBox box;
  box.text = text.text + exponent;
  if (text.attribute("transform").find("rotate(-90") != std::string::npos) {  // read bottom to top
    box.left = x - 0.8 * font;
    box.right = x + 0.25 * font;
    box.top = y - width / 2;
    box.bottom = y + width / 2;
    return box;
  }
  box.left = anchor == "middle" ? x - width / 2 : anchor == "end" ? x - width : x;
  box.right = box.left + width;
  box.top = y - 0.8 * font;
  if (!exponent.empty()) box.top = std::min(box.top, y - 5 - 0.8 * exponent_font);
  box.bottom = y + 0.25 * font;
  return box;
}

// A tick label's value: a plain number, "10" raised to e, or "m×10" raised to e.
double tick_value(const XmlElement& text) {
  const std::string exponent = exponent_of(text);
  if (exponent.empty()) return number(text.text);
  const std::string times = "\xC3\x97" "10";
  const double power = std::pow(10.0, number(exponent));
  if (text.text == "10") return power;
  const std::size_t at = text.text.find(times);
  if (at == std::string::npos || at + times.size() != text.text.size()) {
    throw std::runtime_error("not a power of ten: " + text.text);
  }
  return number(text.text.substr(0, at)) * power;
}

// The offset an axis title names: "T(N) − 69.05547 [ºC]" counts the labels from 69.05547.
double title_offset(const std::string& title) {
  std::smatch m;
  if (!std::regex_search(title, m, std::regex(" (\xE2\x88\x92|\\+) ([0-9.]+)( \\[|$)"))) return 0;
  return (m[1].str() == "+" ? -1 : 1) * number(m[2].str());
}

DrawnSeries read_series(const XmlElement& group, double ox, double oy, const DrawnPanel& panel) {
  DrawnSeries series;
  for (const XmlElement& e : group.children) {
    if (e.tag == "title") series.name = e.text;
    if (e.tag == "polyline") {
      series.colour = e.attribute("stroke");
      for (const auto& [px, py] : point_list(e.attribute("points"), ox, oy)) {
        DrawnPoint p;
        p.px = px;
        p.py = py;
        p.x = panel.x.value(px);
        p.y = panel.y.value(py);
        series.points.push_back(p);
      }
    }
  }
  for (const XmlElement& e : group.children) {
    if (e.tag == "title" || e.tag == "polyline") continue;
    const auto [mx, my] = translation(e);
    const double x = mx + ox, y = my + oy;
    DrawnPoint* match = nullptr;
    for (DrawnPoint& p : series.points) {
      if (std::fabs(p.px - x) > 0.005) continue;
      const bool free = e.is("graf-anel") ? !p.ringed : !p.marked;
      if (free && (match == nullptr || std::fabs(p.py - y) < std::fabs(match->py - y))) match = &p;
    }
    if (match == nullptr) throw std::runtime_error("a marker on no point of " + series.name);
    if (e.is("graf-anel")) {
      match->ringed = true;
      continue;
    }
    match->marked = true;
    match->at_edge = e.is("graf-borda");
    match->hollow = e.attribute("fill") == "none";
    match->marker_x = x;
    match->marker_y = y;
    match->shape = e.tag + (e.attribute("d").empty() ? "" : " " + e.attribute("d"));
  }
  return series;
}

void read_axis(const XmlElement& group, double ox, double oy, bool vertical, DrawnAxis& axis,
               std::vector<TextBox>& labels) {
  axis.logarithmic = group.attribute("data-escala") == "log";
  for (const XmlElement& t : group.children) {
    if (!t.is("graf-rotulo")) continue;
    labels.push_back(box_of(t, ox, oy));
    const double pixel = vertical ? number(t.attribute("y")) + oy - 4 : number(t.attribute("x")) + ox;
    axis.ticks.emplace_back(pixel, tick_value(t));
  }
}

DrawnPanel read_panel(const XmlElement& g) {
  const auto [ox, oy] = translation(g);
  DrawnPanel panel;
  for (const XmlElement& e : g.children) {
    if (e.is("graf-eixo-x")) read_axis(e, ox, oy, false, panel.x, panel.tick_labels);
    if (e.is("graf-eixo-y")) read_axis(e, ox, oy, true, panel.y, panel.tick_labels);
    if (e.is("graf-titulo-painel")) panel.title = e.text;
    if (e.is("graf-titulo-x")) panel.x_title = e.text;
    if (e.is("graf-titulo-y")) panel.y_title = e.text;
    if (e.is("graf-area")) {
      panel.left = number(e.attribute("x")) + ox;
      panel.top = number(e.attribute("y")) + oy;
      panel.right = panel.left + number(e.attribute("width"));
      panel.bottom = panel.top + number(e.attribute("height"));
    }
  }
  if (panel.x.ticks.empty() && panel.y.ticks.empty()) return panel;  // nothing drawn in it
  if (panel.x.ticks.size() < 2 || panel.y.ticks.size() < 2) {
    throw std::runtime_error("fewer than two labelled ticks on an axis of " + panel.title);
  }
  panel.x.offset = title_offset(panel.x_title);
  panel.y.offset = title_offset(panel.y_title);
  for (auto* axis : {&panel.x, &panel.y}) {
    for (auto& tick : axis->ticks) tick.second += axis->offset;
  }
  for (const XmlElement& e : g.children) {
    if (e.is("graf-serie")) panel.series.push_back(read_series(e, ox, oy, panel));
    if (e.is("graf-rotulo-fim")) panel.end_labels.push_back(box_of(e, ox, oy));
    if (e.is("graf-faixa")) {
      DrawnPanel::Band band;
      for (const XmlElement& part : e.children) {
        if (part.tag == "title") band.name = part.text;
        if (part.tag == "polygon") band.outline = point_list(part.attribute("points"), ox, oy);
      }
      panel.bands.push_back(band);
    }
  }
  return panel;
}

void collect_texts(const XmlElement& e, double ox, double oy, DrawnChart& chart) {
  const auto [tx, ty] = translation(e);
  if (e.tag == "text") {
    chart.texts.push_back(box_of(e, ox, oy));
    if (e.is("graf-nota")) chart.notes.push_back(e.text);
    if (e.is("graf-titulo")) chart.title = e.text;
    return;
  }
  if (e.is("graf-item")) {
    for (const XmlElement& c : e.children) {
      if (c.tag == "text") chart.legend.push_back(c.text);
    }
  }
  const bool moves = e.tag == "g";  // only groups are moved as a whole
  for (const XmlElement& c : e.children) collect_texts(c, ox + (moves ? tx : 0), oy + (moves ? ty : 0), chart);
}

}  // namespace

double DrawnAxis::value(double pixel) const {
  const auto& [p0, v0] = ticks.front();
  const auto& [p1, v1] = ticks.back();
  const double s0 = logarithmic ? std::log10(v0) : v0, s1 = logarithmic ? std::log10(v1) : v1;
  const double s = s0 + (pixel - p0) * (s1 - s0) / (p1 - p0);
  return logarithmic ? std::pow(10.0, s) : s;
}

double DrawnAxis::pixel(double value) const {
  const auto& [p0, v0] = ticks.front();
  const auto& [p1, v1] = ticks.back();
  const double s0 = logarithmic ? std::log10(v0) : v0, s1 = logarithmic ? std::log10(v1) : v1;
  const double s = logarithmic ? std::log10(value) : value;
  return p0 + (s - s0) * (p1 - p0) / (s1 - s0);
}

bool DrawnPanel::Band::top_at(double px, double& py) const {
  bool found = false;
  for (std::size_t i = 0; i < outline.size(); ++i) {
    const auto& [x0, y0] = outline[i];
    const auto& [x1, y1] = outline[(i + 1) % outline.size()];
    if (px < std::min(x0, x1) - 0.01 || px > std::max(x0, x1) + 0.01) continue;
    const double y = x1 == x0 ? std::min(y0, y1) : y0 + (px - x0) * (y1 - y0) / (x1 - x0);
    py = found ? std::min(py, y) : y;
    found = true;
  }
  return found;
}

const DrawnSeries& DrawnPanel::at(const std::string& name) const {
  for (const DrawnSeries& s : series) {
    if (s.name == name) return s;
  }
  throw std::runtime_error("no series " + name + " in panel " + title);
}

const DrawnPanel& DrawnChart::panel(const std::string& title) const {
  for (const DrawnPanel& p : panels) {
    if (p.title == title) return p;
  }
  throw std::runtime_error("no panel " + title);
}

DrawnChart read_chart(const std::string& svg) {
  const XmlElement root = read_xml(svg);
  if (root.tag != "svg") throw std::runtime_error("not an svg document");
  DrawnChart chart;
  chart.width = number(root.attribute("width"));
  chart.height = number(root.attribute("height"));
  for (const XmlElement& e : root.children) {
    if (e.is("graf-painel")) chart.panels.push_back(read_panel(e));
  }
  collect_texts(root, 0, 0, chart);
  return chart;
}

}  // namespace malhas
