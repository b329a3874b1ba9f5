#pragma once
// What the study's charts share: each scheme's colour and marker, the colour ramp of many
// series, the axes and titles of its panels, and which meshes a chart draws.
#include <string>
#include <vector>

#include "malhas/verification/analysis.h"
#include "malhas/presentation/chart.h"

namespace malhas {

constexpr const char* kReferenceGrey = "#7f7f7f";
constexpr const char* kResolutionGrey = "#d9d9d9";
constexpr const char* kMarkedNote =
    "anel em volta do marcador: malha marcada (arredondamento ou iteração medidos)";

// A scheme's colour and marker, from its place in the scheme table; after the first scheme the
// markers are hollow, so that one drawn over the first scheme's leaves it in sight. The
// `second` series of a scheme in a panel is dashed, with a cross or a plus for its marker.
SeriesStyle scheme_style(fin::TipScheme scheme, bool second = false);

// The colour of series i of n along a sequential ramp, dark blue to orange.
std::string ramp_colour(std::size_t i, std::size_t n);

// The mesh spacing dx [m] as an axis.
ChartAxis spacing_axis(bool logarithmic);

// A panel's title: the quantity, after the scheme when the chart has several.
std::string panel_title(bool several_schemes, fin::TipScheme scheme, Quantity q);

// The meshes with results, as indices; the charts leave failed ones out.
std::vector<std::size_t> completed(const SchemeStudy& study);

// Whether any point of the chart is marked.
bool any_marked(const Chart& chart);

// A series with no point in the panel of a quantity, and why.
struct MissingSeries {
  std::string series, reason;
  Quantity quantity;
};

// One note per reason and set of quantities, the series missing from the same panels for the
// same reason together: "UDS T(N), qdds1, qdds2: sem iteração (nula em todas as malhas)".
std::vector<std::string> missing_notes(fin::TipScheme scheme, const std::vector<MissingSeries>& missing);

}  // namespace malhas
