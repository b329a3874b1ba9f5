#include "malhas/presentation/svg_marks.h"

#include "malhas/presentation/svg_text.h"

namespace malhas {
namespace {

// The outline of a shape about (0, 0), at its filled size; a hollow one is drawn 1.5 times as
// large, so that a filled marker of the same shape fits inside it.
std::string outline(MarkerShape shape, double size) {
  const std::string s = coordinate(size), d = coordinate(2 * size);
  switch (shape) {
    case MarkerShape::Square:
      return "M-" + s + " -" + s + "h" + d + "v" + d + "h-" + d + "z";
    case MarkerShape::Diamond: {
      const std::string t = coordinate(1.35 * size);
      return "M0 -" + t + "L" + t + " 0L0 " + t + "L-" + t + " 0z";
    }
    case MarkerShape::Cross:
      return "M-" + s + " -" + s + "L" + s + " " + s + "M-" + s + " " + s + "L" + s + " -" + s;
    case MarkerShape::Plus: {
      const std::string t = coordinate(1.3 * size);
      return "M-" + t + " 0H" + t + "M0 -" + t + "V" + t;
    }
    default:
      return {};
  }
}

std::string placed(double x, double y) {
  return " transform=\"translate(" + coordinate(x) + " " + coordinate(y) + ")\"";
}

// A cross or a plus is only lines: drawn in the colour whether hollow or not.
bool lines_only(MarkerShape shape) { return shape == MarkerShape::Cross || shape == MarkerShape::Plus; }

std::string paint(const SeriesStyle& style, MarkerShape shape) {
  if (style.hollow || lines_only(shape)) {
    return " fill=\"none\" stroke=\"" + style.colour + "\" stroke-width=\"1.5\"";
  }
  return " fill=\"" + style.colour + "\"";
}

constexpr double kMarkerSize = 3, kHollowGrowth = 1.5;

}  // namespace

std::string stroke_style(const SeriesStyle& style) {
  if (style.line == LineStyle::None) return "stroke=\"none\"";
  std::string s = "stroke=\"" + style.colour + "\" stroke-width=\"1.5\"";
  if (style.line == LineStyle::Dashed) s += " stroke-dasharray=\"6 4\"";
  if (style.line == LineStyle::Dotted) s += " stroke-dasharray=\"1.5 3\"";
  return s;
}

std::string marker_element(const SeriesStyle& style, double x, double y) {
  if (style.marker == MarkerShape::None) return {};
  const double size = style.hollow ? kHollowGrowth * kMarkerSize : kMarkerSize;
  const std::string common = " class=\"graf-ponto\"" + placed(x, y) + paint(style, style.marker);
  if (style.marker == MarkerShape::Circle) {
    return "<circle" + common + " r=\"" + coordinate(size) + "\"/>\n";
  }
  return "<path" + common + " d=\"" + outline(style.marker, size) + "\"/>\n";
}

std::string ring_element(const SeriesStyle& style, double x, double y) {
  return "<circle class=\"graf-anel\"" + placed(x, y) + " r=\"7.5\" fill=\"none\" stroke=\"" +
         style.colour + "\" stroke-width=\"1\"/>\n";
}

std::string edge_element(const SeriesStyle& style, double x, double y, int edge) {
  const std::string d = edge > 0 ? "M-4.5 3H4.5L0 -5z" : "M-4.5 -3H4.5L0 5z";
  return "<path class=\"graf-borda\"" + placed(x, y) + paint(style, MarkerShape::None) +
         " d=\"" + d + "\"/>\n";
}

}  // namespace malhas
