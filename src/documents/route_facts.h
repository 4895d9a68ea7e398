// What the driver's documents say of a compiled scenario, read from what
// the simulator will read: the table's stations, and the track cells'
// line speeds, tunnels and slow-downs. Documents made from these agree with
// the compiled files by construction.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/compiled_model.h"

namespace tarvosa {

struct StationFact {
  std::string name;           // UTF-8
  std::int32_t position = 0;  // metres
  std::int32_t start = 0;     // the stretch it occupies
  std::int32_t end = 0;
  std::int32_t time = 0;  // seconds since midnight; 0 when the timetable gives none
};

// A line speed that holds from `position` on, in km/h.
struct SpeedChange {
  std::int32_t position = 0;
  int speed = 0;
};

struct TunnelFact {
  std::int32_t start = 0;  // the first metre of its first cell
  std::int32_t end = 0;    // the metre after its last cell
};

struct SlowDownFact {
  std::int32_t start = 0;  // metres, where the slow zone begins
  std::int32_t length = 0;
  int speed = 0;  // km/h
};

struct RouteFacts {
  std::int32_t line_length = 0;
  std::vector<StationFact> stations;  // in running order
  std::vector<SpeedChange> speeds;    // from 0 m up to the line's end
  std::vector<TunnelFact> tunnels;    // beginning before the line's end
  std::vector<SlowDownFact> slow_downs;
};

// Cell c holds 50 × c to 50 × (c + 1) m for profiles and tunnels; a
// slow-down's start and end go in cell R(p / 50 + 1), so they stand at
// 50 × (c − 1) m.
RouteFacts FactsOf(const CompiledScenario& scenario);

}  // namespace tarvosa
