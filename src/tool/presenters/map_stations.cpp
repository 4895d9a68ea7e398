#include "tool/presenters/map_stations.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace tarvosa::tool {
namespace {

// Orders to label the dots in: along the line, back from its end, and
// the most crowded first, which have the fewest places free.
std::vector<std::vector<std::size_t>> PlanOrders(
    const std::vector<std::pair<double, double>>& dots) {
  std::vector<std::size_t> along(dots.size()), crowd(dots.size());
  for (std::size_t i = 0; i < dots.size(); ++i) {
    along[i] = i;
    for (const auto& [x, y] : dots)
      crowd[i] += std::hypot(x - dots[i].first, y - dots[i].second) < 40;
  }
  std::vector<std::size_t> back(along.rbegin(), along.rend()), crowded = along;
  std::stable_sort(crowded.begin(), crowded.end(),
                   [&](std::size_t a, std::size_t b) { return crowd[a] > crowd[b]; });
  return {along, back, crowded};
}

}  // namespace

// Each label beside its dot or, where that is taken, farther out with a
// leader line; the track is covered only when no place near enough is
// clear of it.
void PlanStations(SvgWriter& svg, const Json& stations, LabelLayout layout,
                  const std::vector<std::pair<double, double>>& track,
                  const std::vector<std::pair<double, double>>& dots) {
  constexpr double kDot = 3.5, kSize = 10;
  for (std::size_t i = 0; i + 1 < track.size(); ++i) {
    layout.Avoid({track[i].first, track[i].second, track[i + 1].first, track[i + 1].second});
  }
  for (const auto& [x, y] : dots) layout.Block({x - kDot, y - kDot, x + kDot, y + kDot});
  svg.Out() << "<g class=\"plan-stations\">\n";
  for (std::size_t i = 0; i < dots.size(); ++i) {
    const auto [x, y] = dots[i];
    const std::string id = "data-station=\"" + std::to_string(i) + "\"";
    svg.Out() << "<circle class=\"station-dot\" " << id << " cx=\"" << N(x) << "\" cy=\"" << N(y)
              << "\" r=\"" << N(kDot) << "\" fill=\"#d62728\"/>\n";
  }
  std::vector<std::vector<Placement>> candidates;
  for (std::size_t i = 0; i < dots.size(); ++i) {
    const auto [x, y] = dots[i];
    candidates.push_back(
        AroundDot(x, y, kDot, TextWidth(stations[i]["name"].get<std::string>(), kSize), kSize));
  }
  const auto placed = PlaceBest(layout, candidates, PlanOrders(dots));
  for (std::size_t i = 0; i < dots.size(); ++i) {
    if (!placed[i]) continue;
    const std::string id = std::to_string(i);
    svg.Label(*placed[i], kSize, stations[i]["name"],
              "class=\"station\" data-station=\"" + id + "\"",
              "class=\"leader\" data-station=\"" + id + "\"", dots[i].first);
  }
  svg.Out() << "</g>\n";
}

double StationRow(SvgWriter& svg, const Json& stations, const std::vector<double>& xs, double top,
                  double width) {
  constexpr double kSize = 10, kGap = 15, kTick = 46, kBend = 52, kFoot = 66;
  // Stations in the order of their kilometres; a line with more than the
  // width holds keeps every second, fourth... label.
  std::vector<std::size_t> order(stations.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return stations[a]["km"].get<double>() < stations[b]["km"].get<double>();
  });
  std::size_t every = 1;
  while (static_cast<double>(order.size() / every) * kGap > width - 8) every *= 2;
  std::vector<std::size_t> shown;
  std::vector<double> wanted;
  for (std::size_t k = 0; k < order.size(); k += every) {
    shown.push_back(order[k]), wanted.push_back(xs[order[k]]);
  }
  const std::vector<double> at = Spread(wanted, kGap, 4 + kGap / 2, width - 4 - kGap / 2);
  svg.Out() << "<g class=\"station-row\">\n";
  double bottom = top + kFoot;
  for (std::size_t i = 0; i < stations.size(); ++i) {
    const double x = xs[i];
    svg.Line(x, top + 38, x, top + kTick,
             "class=\"station-tick\" data-station=\"" + std::to_string(i) + "\" stroke=\"#444\"");
  }
  for (std::size_t k = 0; k < shown.size(); ++k) {
    const std::size_t i = shown[k];
    std::string label = stations[i]["name"];
    const std::string time = stations[i]["time"];
    if (!time.empty()) label.append(" ").append(time);
    const std::string id = "data-station=\"" + std::to_string(i) + "\"";
    svg.Out() << "<polyline class=\"leader\" " << id << " fill=\"none\" stroke=\"#888\""
              << " stroke-width=\"0.7\" points=\"" << N(wanted[k]) << "," << N(top + kTick) << " "
              << N(wanted[k]) << "," << N(top + kBend) << " " << N(at[k]) << ","
              << N(top + kFoot - 1) << "\"/>\n";
    // Upright, read downwards from the leader, the glyphs centred on it.
    const double x = at[k] - 0.35 * kSize, y = top + kFoot;
    svg.Text(x, y, label,
             "class=\"station\" " + id + " font-size=\"10\" transform=\"rotate(90 " + N(x) + " " +
                 N(y) + ")\"");
    bottom = std::max(bottom, y + TextWidth(label, kSize));
  }
  svg.Out() << "</g>\n";
  return bottom;
}

}  // namespace tarvosa::tool
