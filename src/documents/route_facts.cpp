#include "documents/route_facts.h"

#include "compiler/stored_format.h"
#include "compiler/stored_views.h"
#include "util/windows1252.h"

namespace tarvosa {
namespace {

constexpr std::int32_t kCellMetres = 50;

// Entries 1 up hold the stations until the first that holds none; a text
// board above them holds only a name.
std::vector<StationFact> Stations(const ScenarioHeader& header) {
  std::vector<StationFact> stations;
  for (std::size_t e = 1; e < kFirstBoardSlot; ++e) {
    const ScenarioEntry& entry = header[e];
    if (entry.kind == 0 && entry.position == 0 && entry.start == 0 && entry.end == 0) break;
    stations.push_back({.name = Windows1252ToUtf8(entry.name),
                        .position = entry.position,
                        .start = entry.start,
                        .end = entry.end,
                        .time = entry.time > 0 ? entry.time : 0});
  }
  return stations;
}

std::int32_t CellStart(std::size_t cell) {
  return static_cast<std::int32_t>(cell) * kCellMetres;
}

std::vector<SpeedChange> Speeds(const std::vector<TrackCell>& cells, std::int32_t length) {
  std::vector<SpeedChange> speeds;
  for (std::size_t c = 0; c < cells.size() && CellStart(c) < length; ++c) {
    const int speed = static_cast<int>(LineSpeedKmh(cells[c].speed_limit));
    if (speeds.empty() || speeds.back().speed != speed) speeds.push_back({CellStart(c), speed});
  }
  return speeds;
}

std::vector<TunnelFact> Tunnels(const std::vector<TrackCell>& cells, std::int32_t length) {
  std::vector<TunnelFact> tunnels;
  bool inside = false;
  for (std::size_t c = 0; c < cells.size(); ++c) {
    const bool tunnel = cells[c].montagna_kind != 0;
    if (tunnel && !inside) {
      if (CellStart(c) >= length) break;
      tunnels.push_back({CellStart(c), 0});
    }
    if (tunnel) tunnels.back().end = CellStart(c + 1);
    inside = tunnel;
  }
  return tunnels;
}

std::vector<SlowDownFact> SlowDowns(const std::vector<TrackCell>& cells) {
  std::vector<SlowDownFact> slow_downs;
  for (std::size_t c = 1; c < cells.size(); ++c) {
    if (cells[c].kind != kSlowDownStart) continue;
    std::size_t end = c + 1;
    while (end < cells.size() && cells[end].kind != kSlowDownEnd) ++end;
    if (end == cells.size()) continue;  // a zone whose end a station took
    slow_downs.push_back({.start = CellStart(c - 1),
                          .length = CellStart(end - c),
                          .speed = SlowDownCell(cells[c]).speed});
  }
  return slow_downs;
}

}  // namespace

RouteFacts FactsOf(const CompiledScenario& scenario) {
  const std::int32_t length = scenario.header[kNumbersEntry].end;
  return {.line_length = length,
          .stations = Stations(scenario.header),
          .speeds = Speeds(scenario.cells, length),
          .tunnels = Tunnels(scenario.cells, length),
          .slow_downs = SlowDowns(scenario.cells)};
}

}  // namespace tarvosa
