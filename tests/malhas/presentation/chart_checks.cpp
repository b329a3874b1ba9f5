#include "tests/malhas/presentation/chart_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <regex>

namespace malhas {
namespace {

bool overlap(const TextBox& a, const TextBox& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

void expect_apart(const std::vector<TextBox>& boxes, const std::string& what) {
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    for (std::size_t j = i + 1; j < boxes.size(); ++j) {
      EXPECT_FALSE(overlap(boxes[i], boxes[j])) << what << ": '" << boxes[i].text << "' and '" << boxes[j].text << "'";
    }
  }
}

bool noted(const DrawnChart& chart, const std::string& name) {
  return std::any_of(chart.notes.begin(), chart.notes.end(), [&](const std::string& note) {
    return note.find("\xC2\xAB" + name + "\xC2\xBB") != std::string::npos;
  });
}

// Whether every point of `under` lies within a pixel of a point of `over` that hides it: a
// filled marker, or any point when `under` has no markers of its own.
bool hidden_under(const DrawnSeries& under, const DrawnSeries& over) {
  if (under.points.empty()) return false;
  for (const DrawnPoint& p : under.points) {
    const bool covered = std::any_of(over.points.begin(), over.points.end(), [&](const DrawnPoint& q) {
      const bool hides = p.marked ? q.marked && !q.hollow && !q.at_edge : true;
      return hides && std::fabs(p.px - q.px) <= 1 && std::fabs(p.py - q.py) <= 1;
    });
    if (!covered) return false;
  }
  return true;
}

void expect_fitted(const DrawnPanel& panel, const std::string& what) {
  for (const auto* axis : {&panel.x, &panel.y}) {
    const bool horizontal = axis == &panel.x;
    EXPECT_LE(axis->ticks.size(), 8u) << what << ": labelled ticks";
    if (!axis->logarithmic) continue;
    double low = HUGE_VAL, high = 0;
    for (const DrawnSeries& s : panel.series) {
      for (const DrawnPoint& p : s.points) {
        if (p.at_edge) continue;
        low = std::min(low, horizontal ? p.x : p.y);
        high = std::max(high, horizontal ? p.x : p.y);
      }
    }
    // A band's top is drawn data too: the axis may reach down to it.
    for (const DrawnPanel::Band& band : panel.bands) {
      for (const auto& [px, py] : band.outline) {
        const double v = axis->value(horizontal ? px : py);
        if (!horizontal && v > 0 && py < panel.bottom - 0.5) low = std::min(low, v);
      }
    }
    if (!(low <= high)) continue;
    const double from = axis->value(horizontal ? panel.left : panel.bottom);
    const double to = axis->value(horizontal ? panel.right : panel.top);
    EXPECT_LT(std::log10(low / from), 1) << what << ": an empty decade below the data";
    EXPECT_LT(std::log10(to / high), 1) << what << ": an empty decade above the data";
  }
}

void expect_no_point_in_resolution(const DrawnPanel& panel, const std::string& what) {
  for (const DrawnPanel::Band& band : panel.bands) {
    if (band.name != "resolução da referência") continue;
    for (const DrawnSeries& s : panel.series) {
      for (const DrawnPoint& p : s.points) {
        double top = 0;
        if (!p.at_edge && band.top_at(p.px, top)) {
          EXPECT_LE(p.py, top + 0.5) << what << ": " << s.name << " at x = " << p.x << " inside the band";
        }
      }
    }
  }
}

std::size_t held_in_note(const DrawnChart& chart) {
  std::smatch m;
  for (const std::string& note : chart.notes) {
    if (std::regex_search(note, m, std::regex("^([0-9]+) pontos? fora da escala"))) return std::stoul(m[1].str());
  }
  return 0;
}

}  // namespace

void expect_legible(const DrawnChart& chart, const std::string& what) {
  EXPECT_LE(chart.width, 1280) << what;
  std::vector<TextBox> tick_labels;
  std::vector<DrawnPoint> triangles;
  for (const DrawnPanel& panel : chart.panels) {
    const std::string where = what + " " + panel.title;
    tick_labels.insert(tick_labels.end(), panel.tick_labels.begin(), panel.tick_labels.end());
    expect_apart(panel.end_labels, where + " end labels");
    expect_fitted(panel, where);
    expect_no_point_in_resolution(panel, where);
    for (std::size_t i = 0; i < panel.series.size(); ++i) {
      const DrawnSeries& s = panel.series[i];
      for (std::size_t j = i + 1; j < panel.series.size(); ++j) {
        if (hidden_under(s, panel.series[j])) {
          EXPECT_TRUE(noted(chart, s.name)) << where << ": " << s.name << " lies under " << panel.series[j].name;
        }
      }
      bool on_edge = false;
      for (const DrawnPoint& p : s.points) {
        if (p.at_edge) triangles.push_back(p);
        on_edge |= !p.marked && (std::fabs(p.py - panel.top) < 0.01 || std::fabs(p.py - panel.bottom) < 0.01);
      }
      const bool markers = std::any_of(s.points.begin(), s.points.end(), [](const DrawnPoint& p) { return p.marked; });
      if (on_edge && !markers) {
        EXPECT_TRUE(noted(chart, s.name)) << where << ": " << s.name << " runs along an edge";
      }
    }
  }
  expect_apart(tick_labels, what + " tick labels");
  EXPECT_EQ(triangles.size(), held_in_note(chart)) << what << ": triangles drawn and counted";
  for (std::size_t i = 0; i < triangles.size(); ++i) {
    for (std::size_t j = i + 1; j < triangles.size(); ++j) {
      const bool apart = std::fabs(triangles[i].marker_x - triangles[j].marker_x) >= 9 ||
                         std::fabs(triangles[i].marker_y - triangles[j].marker_y) >= 8;
      EXPECT_TRUE(apart) << what << ": two triangles on one spot at x = " << triangles[i].x;
    }
  }
}

}  // namespace malhas
