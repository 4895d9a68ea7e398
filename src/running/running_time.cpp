#include "running/running_time.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

#include "compiler/stored_format.h"
#include "compiler/stored_views.h"
#include "running/course.h"
#include "running/speed_profile.h"
#include "util/windows1252.h"

namespace tarvosa::running {
namespace {

// A station of the table as the run meets it.
struct Station {
  const ScenarioEntry* entry = nullptr;
  double metres = 0;  // the stop point, or where it is passed
  bool timed = false;
};

// Entries 1 up hold the stations until the first that holds none. A timed
// station stops at its stop cell, or at its position without one.
std::vector<Station> Stations(const CompiledScenario& scenario) {
  std::map<std::int16_t, std::int64_t> stop_cells;
  for (const TrackCell& cell : scenario.cells) {
    if (cell.kind != kStationStop) continue;
    stop_cells.emplace(StationStopCell(cell).station, &cell - scenario.cells.data());
  }
  std::vector<Station> stations;
  for (std::size_t e = 1; e < kFirstBoardSlot; ++e) {
    const ScenarioEntry& entry = scenario.header[e];
    if (entry.kind == 0 && entry.position == 0 && entry.start == 0 && entry.end == 0) break;
    const auto stop = stop_cells.find(static_cast<std::int16_t>(e));
    const bool timed = entry.time != 0;
    const double metres =
        timed && stop != stop_cells.end() ? CellStartMetres(stop->second) : entry.position;
    stations.push_back({&entry, metres, timed});
  }
  return stations;
}

std::string NameOf(const Station& station) {
  std::string quoted(1, '\'');
  quoted += Windows1252ToUtf8(station.entry->name);
  return quoted += '\'';
}

// The stations from the first with a time to the last with one.
Result<std::vector<Station>> RunStations(const CompiledScenario& scenario) {
  std::vector<Station> stations = Stations(scenario);
  const auto timed = [](const Station& s) { return s.timed; };
  const auto first = std::find_if(stations.begin(), stations.end(), timed);
  const auto last = std::find_if(stations.rbegin(), stations.rend(), timed).base();
  if (first == stations.end() || first + 1 >= last) {
    return Status::DataError(
        "the timetable gives fewer than two stations a time: there is no run to time");
  }
  std::vector<Station> run(first, last);
  for (std::size_t i = 1; i < run.size(); ++i) {
    if (!(run[i].metres > run[i - 1].metres)) {
      return Status::DataError("the station " + NameOf(run[i]) + " does not lie after " +
                               NameOf(run[i - 1]) + " along the line");
    }
  }
  return run;
}

// The points the profile shows: every cell's first metre, every change of
// limit, and every station.
std::vector<double> MainPoints(const std::vector<Station>& stations,
                               const std::vector<LimitChange>& limits) {
  const double from = stations.front().metres, to = stations.back().metres;
  std::vector<double> points;
  for (std::int64_t c = CellUnder(from) + 1; CellStartMetres(c) < to; ++c) {
    points.push_back(CellStartMetres(c));
  }
  for (const LimitChange& change : limits) points.push_back(change.from);
  for (const Station& s : stations) points.push_back(s.metres);
  std::sort(points.begin(), points.end());
  points.erase(std::unique(points.begin(), points.end()), points.end());
  return points;
}

// The main points, each piece between them cut into steps of at most
// `step` metres; `main` gets the index of each main point.
Steps Cut(const std::vector<double>& points, double step, std::vector<std::size_t>& main) {
  Steps steps;
  for (std::size_t p = 0; p < points.size(); ++p) {
    main.push_back(steps.metres.size());
    steps.metres.push_back(points[p]);
    if (p + 1 == points.size()) break;
    const double piece = points[p + 1] - points[p];
    const auto parts = static_cast<std::size_t>(std::ceil(piece / step));
    for (std::size_t k = 1; k < parts; ++k) {
      steps.metres.push_back(points[p] +
                             piece * static_cast<double>(k) / static_cast<double>(parts));
    }
  }
  return steps;
}

Status NoSpeed(double metres) {
  std::ostringstream text;
  text << "the line gives no speed at " << std::lround(metres) << " m: the train cannot run there";
  return Status::DataError(text.str());
}

// Each step's limit and gradient, and the points where the train stands.
Status Describe(const CompiledScenario& scenario, const std::vector<Station>& stations,
                const std::vector<LimitChange>& limits, Steps& steps) {
  const std::size_t n = steps.metres.size();
  steps.stands.assign(n, false);
  for (std::size_t i = 0; i + 1 < n; ++i) {
    const double middle = (steps.metres[i] + steps.metres[i + 1]) / 2.0;
    steps.limit.push_back(LimitAt(limits, middle));
    if (!(steps.limit.back() > 0)) return NoSpeed(steps.metres[i]);
    steps.gradient.push_back(GradientAt(scenario.cells, middle));
  }
  for (const Station& s : stations) {
    if (!s.timed) continue;
    const auto at = std::lower_bound(steps.metres.begin(), steps.metres.end(), s.metres);
    steps.stands[static_cast<std::size_t>(at - steps.metres.begin())] = true;
  }
  return Status();
}

// The run's times: the running time to each point, stretched by the
// allowance, with the dwell of every stop passed.
std::vector<double> Timeline(const Steps& steps, const std::vector<double>& running,
                             const RunOptions& options) {
  const double stretch = 1.0 + options.allowance_pct / 100.0;
  std::vector<double> times(running.size(), 0.0);
  double waited = 0;
  for (std::size_t i = 1; i < running.size(); ++i) {
    times[i] = (running[i] * stretch) + waited;
    if (steps.stands[i]) waited += options.dwell_s;  // after this point
  }
  return times;
}

StationTime TimeOf(const Station& station, double first_time, std::size_t point,
                   const std::vector<double>& times, double dwell) {
  StationTime time;
  time.name = station.entry->name;
  time.position = station.entry->position;
  time.metres = station.metres;
  time.stops = station.timed;
  time.arrival_s = times[point];
  time.departure_s = time.arrival_s + (station.timed ? dwell : 0.0);
  if (station.timed) {
    time.scheduled_s = station.entry->time - first_time;
    time.margin_s = *time.scheduled_s - time.arrival_s;
  }
  return time;
}

// Each stop's section from the stop before: the time the timetable gives
// it between the two departures (to the terminal's arrival), less the
// running time and the dwell here.
void Sections(std::vector<StationTime>& stations, double dwell) {
  const StationTime* before = &stations.front();
  for (std::size_t i = 1; i < stations.size(); ++i) {
    StationTime& s = stations[i];
    if (!s.stops) continue;
    const double waits = i + 1 < stations.size() ? dwell : 0.0;
    s.section_running_s = s.arrival_s - before->departure_s;
    s.section_margin_s = *s.scheduled_s - *before->scheduled_s - waits - s.section_running_s;
    s.kept = s.section_margin_s >= 0;
    before = &s;
  }
}

RunResult Assemble(const std::vector<Station>& stations, const Steps& steps,
                   const std::vector<std::size_t>& main, const std::vector<double>& speeds,
                   const std::vector<double>& times, const RunOptions& options,
                   const std::vector<double>& ceiling) {
  RunResult result;
  result.total_time_s = times.back();
  for (const std::size_t i : main) {
    result.profile.push_back({steps.metres[i], speeds[i] * 3.6, ceiling[i] * 3.6, times[i]});
  }
  const double first_time = stations.front().entry->time;
  for (std::size_t s = 0; s < stations.size(); ++s) {
    const auto at = std::lower_bound(steps.metres.begin(), steps.metres.end(), stations[s].metres);
    const bool inner = s > 0 && s + 1 < stations.size();
    result.stations.push_back(TimeOf(stations[s], first_time,
                                     static_cast<std::size_t>(at - steps.metres.begin()), times,
                                     inner ? options.dwell_s : 0.0));
  }
  Sections(result.stations, options.dwell_s);
  return result;
}

}  // namespace

bool RunResult::AllKept() const {
  return std::all_of(stations.begin(), stations.end(), [](const StationTime& s) { return s.kept; });
}

Result<RunResult> ComputeRun(const CompiledScenario& scenario, const RollingStock& stock,
                             const RunOptions& options) {
  if (Status checked = CheckRollingStock(stock); !checked.ok()) return checked;
  const auto stations = RunStations(scenario);
  if (!stations.ok()) return stations.status();
  const std::vector<LimitChange> limits =
      HeadLimits(CellLimits(scenario.cells, stock.max_speed), stock.length,
                 stations->front().metres, stations->back().metres);
  std::vector<std::size_t> main;
  Steps steps = Cut(MainPoints(*stations, limits), options.step_m, main);
  if (Status described = Describe(scenario, *stations, limits, steps); !described.ok()) {
    return described;
  }
  const auto speeds = FastestSpeeds(steps, stock);
  if (!speeds.ok()) return speeds.status();
  const std::vector<double> times = Timeline(steps, SecondsAt(steps, *speeds), options);
  return Assemble(*stations, steps, main, *speeds, times, options, BrakingCeiling(steps, stock));
}

}  // namespace tarvosa::running
