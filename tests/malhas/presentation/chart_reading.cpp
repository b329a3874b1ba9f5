#include "tests/malhas/presentation/chart_reading.h"

#include <cmath>
#include <cstdlib>
#include <regex>
#include <stdexcept>

namespace malhas {
namespace {

double attribute(const std::string& element, const std::string& name) {
  std::smatch m;
  if (!std::regex_search(element, m, std::regex(" " + name + "=\"([-0-9.]+)\""))) {
    throw std::runtime_error("no " + name + " in " + element);
  }
  return std::strtod(m[1].str().c_str(), nullptr);
}

// An axis from its tick labels: pixel position to value, through powers of ten when the labels
// are "10^k".
struct Axis {
  bool logarithmic = false;
  double pixel0 = 0, value0 = 0, pixel1 = 1, value1 = 1;
  double value(double pixel) const {
    const double v = value0 + (pixel - pixel0) * (value1 - value0) / (pixel1 - pixel0);
    return logarithmic ? std::pow(10.0, v) : v;
  }
};

// The tick label's value in the axis's own scale, or false when the text is no tick label.
bool tick_value(const std::string& body, double& value, bool& logarithmic) {
  std::smatch m;
  if (std::regex_match(body, m, std::regex("10<tspan[^>]*>(-?[0-9]+)</tspan>"))) {
    value = std::strtod(m[1].str().c_str(), nullptr);
    logarithmic = true;
    return true;
  }
  char* end = nullptr;
  value = std::strtod(body.c_str(), &end);
  logarithmic = false;
  return !body.empty() && *end == '\0';
}

Axis axis_from(const std::vector<DrawnChart::Text>& texts, const std::string& anchor, bool vertical) {
  std::vector<std::pair<double, double>> ticks;  // pixel, value
  bool logarithmic = false;
  for (const DrawnChart::Text& t : texts) {
    double value = 0;
    bool powers = false;
    if (t.anchor != anchor || !tick_value(t.body, value, powers)) continue;
    logarithmic = powers;
    ticks.emplace_back(vertical ? t.y - 4 : t.x, value);  // a y label sits 4 below its tick
  }
  if (ticks.size() < 2) throw std::runtime_error("fewer than two ticks anchored " + anchor);
  return {logarithmic, ticks.front().first, ticks.front().second, ticks.back().first,
          ticks.back().second};
}

}  // namespace

DrawnChart read_chart(const std::string& svg) {
  DrawnChart chart;
  std::smatch m;
  std::regex_search(svg, m, std::regex("<svg [^>]*>"));
  chart.width = attribute(m[0].str(), "width");
  chart.height = attribute(m[0].str(), "height");
  const std::regex text("<text x=\"([-0-9.]+)\" y=\"([-0-9.]+)\" text-anchor=\"(\\w+)\"[^>]*>(.*?)</text>");
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), text); it != std::sregex_iterator(); ++it) {
    chart.texts.push_back({std::strtod((*it)[1].str().c_str(), nullptr),
                           std::strtod((*it)[2].str().c_str(), nullptr), (*it)[3].str(), (*it)[4].str()});
  }
  const Axis x = axis_from(chart.texts, "middle", false), y = axis_from(chart.texts, "end", true);
  const std::regex group("<g>\n<title>(.*?)</title>\n<polyline points=\"([^\"]*)\"[^>]*/>\n((?:<(?:circle|polygon)[^>]*/>\n)*)</g>");
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), group); it != std::sregex_iterator(); ++it) {
    std::vector<DrawnPoint>& points = chart.series[(*it)[1].str()];
    std::vector<std::string> pixel_x;  // as written, to find each marker's point
    const std::string list = (*it)[2].str();
    const std::regex pair("([-0-9.]+),([-0-9.]+)");
    for (auto p = std::sregex_iterator(list.begin(), list.end(), pair); p != std::sregex_iterator(); ++p) {
      pixel_x.push_back((*p)[1].str());
      points.push_back({x.value(std::strtod((*p)[1].str().c_str(), nullptr)),
                        y.value(std::strtod((*p)[2].str().c_str(), nullptr))});
    }
    // A dot or ring is centred on its point; a triangle's last vertex is its point's x.
    const std::string markers = (*it)[3].str();
    const std::regex marker("<circle cx=\"([-0-9.]+)\"[^>]*/>|<polygon points=\"[^\"]* ([-0-9.]+),[-0-9.]+\"[^>]*/>");
    for (auto k = std::sregex_iterator(markers.begin(), markers.end(), marker); k != std::sregex_iterator(); ++k) {
      const bool triangle = !(*k)[2].str().empty();
      const std::string at = triangle ? (*k)[2].str() : (*k)[1].str();
      std::size_t i = 0;
      while (i < pixel_x.size() && (pixel_x[i] != at || points[i].marked)) ++i;
      if (i == pixel_x.size()) throw std::runtime_error("a marker on no point: " + k->str());
      points[i].marked = true;
      points[i].at_edge = triangle;
      points[i].open = k->str().find("fill=\"white\"") != std::string::npos;
    }
  }
  return chart;
}

}  // namespace malhas
