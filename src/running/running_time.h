// The running time of a train over a compiled scenario: the fastest run
// that respects every speed limit, from a stand at the first station with a
// timetable time to a stand at the last, stopping at every timed station
// between, and the same run with a planner's allowance added.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compiler/compiled_model.h"
#include "running/rolling_stock.h"
#include "util/status.h"

namespace tarvosa::running {

struct RunOptions {
  double dwell_s = 30.0;       // at every stop but the first and the last
  double allowance_pct = 0.0;  // added to every section's running time
  double step_m = 10.0;        // the longest integration step
};

// A point of the run: where the head is, how fast and when.
struct ProfilePoint {
  double metres = 0.0;
  double speed_kmh = 0.0;
  // The highest speed the train may have there: the limit in force, and
  // the braking curves down to each lower limit and stop ahead.
  double ceiling_kmh = 0.0;
  double time_s = 0.0;  // after the departure from the first stop
};

// A station the run meets, from the first stop to the last.
struct StationTime {
  std::string name;  // as the table keeps it (Windows-1252)
  std::int32_t position{};
  double metres = 0.0;  // where the head stands at the stop, or passes
  bool stops = false;
  double arrival_s = 0.0;    // passing time where it does not stop
  double departure_s = 0.0;  // arrival plus the dwell at an intermediate stop
  // The timetable's time less the first stop's; none without a time.
  std::optional<double> scheduled_s;
  std::optional<double> margin_s;  // scheduled_s − arrival_s
  // At a stop after the first: the section from the stop before.
  double section_running_s = 0.0;  // from its departure to this arrival
  double section_margin_s = 0.0;   // the time the timetable gives it, less that and the dwell here
  bool kept = true;                // section_margin_s is not below 0
};

struct RunResult {
  double total_time_s = 0.0;  // from the departure at the first stop to the arrival at the last
  std::vector<StationTime> stations;
  std::vector<ProfilePoint> profile;  // at least one point a cell
  // Every section can be run in the time the timetable gives it.
  bool AllKept() const;
};

// The run of `stock` over `scenario` (its cells and table). A data error
// when there are not two stations with a time, or the train stalls.
Result<RunResult> ComputeRun(const CompiledScenario& scenario, const RollingStock& stock,
                             const RunOptions& options);

}  // namespace tarvosa::running
