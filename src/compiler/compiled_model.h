// The compiled scenario: the line in 50 m track cells, the scenario table and
// the plan of the line metre by metre.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvosa {

// What a track cell holds (its `kind`). A cell is free when it holds nothing
// or only a tunnel marker.
enum CellKind : std::uint8_t {
  kFree = 0,
  kSignal = 1,
  kSlowDownEnd = 2,
  kSlowDownStart = 3,
  kSlowDownWarning = 4,
  kSlowDownApproach = 5,
  kSpeedBoard = 6,
  kStationStop = 10,
  kTunnelMarker = 11,
  kBrakingPoint = 12,
  kBrakingPointWithoutValue = 13,
  kTextBoard = 14,
};

// 50 m of line; 15 bytes on disk.
struct TrackCell {
  std::uint8_t kind = kFree;
  std::int16_t value_a = 0;
  std::int16_t value_b = 0;
  std::int16_t value_c = 0;
  std::int16_t value_d = 0;
  std::uint8_t signal_time = 0;
  std::uint8_t approach_code = 0;
  std::uint8_t montagna_kind = 0;
  std::uint8_t speed_limit = 0;  // km/h divided by 5
  std::uint8_t gradient = 0;     // per mille plus 100
  std::uint8_t adhesion = 0;

  friend bool operator==(const TrackCell&, const TrackCell&) = default;
};

inline bool IsFree(const TrackCell& cell) {
  return cell.kind == kFree || cell.kind == kTunnelMarker;
}

// What a cell's kind is called in messages: "signal", "speed-indicator
// board" and so on.
std::string_view CellKindName(std::uint8_t kind);

// The cell at `index`, or nullptr when the index lies outside the cells.
inline TrackCell* CellAt(std::vector<TrackCell>& cells, std::int64_t index) {
  if (index < 0 || index >= static_cast<std::int64_t>(cells.size())) return nullptr;
  return &cells[static_cast<std::size_t>(index)];
}
inline const TrackCell* CellAt(const std::vector<TrackCell>& cells, std::int64_t index) {
  if (index < 0 || index >= static_cast<std::int64_t>(cells.size())) return nullptr;
  return &cells[static_cast<std::size_t>(index)];
}

// U: the last cell's index (0 before there are any cells).
inline std::int64_t LastCell(const std::vector<TrackCell>& cells) {
  return cells.empty() ? 0 : static_cast<std::int64_t>(cells.size()) - 1;
}

// The longest name a 16-bit length can tell.
inline constexpr std::size_t kLongestName = 0xFFFF;

// One entry of the scenario table; 34 bytes on disk plus its name.
struct ScenarioEntry {
  std::uint8_t kind = 0;
  std::int32_t start = 0;
  std::int32_t end = 0;
  std::int32_t position = 0;
  std::uint8_t flag_a = 0;
  std::string name;  // Windows-1252 bytes
  std::int16_t word_a = 0;
  std::int16_t word_b = 0;
  std::int16_t word_c = 0;
  std::int16_t word_d = 0;
  std::int16_t word_e = 0;
  std::uint8_t byte_a = 0;
  std::uint8_t byte_b = 0;
  std::uint8_t byte_c = 0;
  std::uint8_t byte_d = 0;
  std::int32_t time = 0;  // seconds since midnight

  friend bool operator==(const ScenarioEntry&, const ScenarioEntry&) = default;
};

// Stations from entry 1 up, board texts from entry 80 down, the kilometre
// references in 81 to 83, train and line numbers in 84, the route in 85 and
// the train in 86.
inline constexpr std::size_t kScenarioEntries = 87;
using ScenarioHeader = std::array<ScenarioEntry, kScenarioEntries>;

inline constexpr std::size_t kReferenceTre = 81;
inline constexpr std::size_t kReferenceDue = 82;
inline constexpr std::size_t kReferenceUno = 83;
inline constexpr std::size_t kNumbersEntry = 84;
inline constexpr std::size_t kRouteEntry = 85;
inline constexpr std::size_t kTrainEntry = 86;
inline constexpr std::int32_t kFirstBoardSlot = 80;

// The plan of the track axis: rows 0 to `last_row` (N), two coordinates
// each. Rows 0 and 1 are the 16-bit integers (0, 0) and (0, 1) once the
// origin is set; the rows computed after them are reals, filled in order from
// row 2; every other row is empty.
struct LineData {
  std::int32_t last_row = 0;
  bool origin_set = false;
  std::vector<double> x;  // rows 2, 3, ... as computed
  std::vector<double> y;

  std::int64_t next_row() const { return 2 + static_cast<std::int64_t>(x.size()); }
};

// The compiled scenario: what the three compiled files hold.
struct CompiledScenario {
  std::vector<TrackCell> cells;  // cells 0 to U; none until the line's length is read
  ScenarioHeader header{};
  std::optional<LineData> plan;  // when asked for, once the line's length is read
};

}  // namespace tarvosa
