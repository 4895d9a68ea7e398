#include "running/course.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "compiler/stored_format.h"
#include "compiler/stored_views.h"

namespace tarvosa::running {
namespace {

// Cells with one limit, from `first` metres to before `last`.
struct LimitRun {
  double first = 0.0;
  double last = 0.0;
  double limit = 0.0;
};

std::vector<LimitRun> Runs(const std::vector<double>& cell_limits, std::int64_t first_cell,
                           std::int64_t last_cell) {
  std::vector<LimitRun> runs;
  for (std::int64_t c = first_cell; c <= last_cell; ++c) {
    const bool inside = c >= 0 && c < static_cast<std::int64_t>(cell_limits.size());
    const double limit = inside ? cell_limits[static_cast<std::size_t>(c)] : 0.0;
    if (runs.empty() || runs.back().limit != limit) {
      runs.push_back({CellStartMetres(c), CellStartMetres(c), limit});
    }
    runs.back().last = CellStartMetres(c + 1);
  }
  return runs;
}

}  // namespace

std::int64_t CellUnder(double metres) {
  return static_cast<std::int64_t>(std::floor(metres / kCellMetres)) + 1;
}

double CellStartMetres(std::int64_t cell) {
  return kCellMetres * static_cast<double>(cell - 1);
}

std::vector<double> CellLimits(const std::vector<TrackCell>& cells, double max_speed) {
  std::vector<double> limits(cells.size());
  double slow = 0;  // the slow-down's speed inside one, else 0
  for (std::size_t c = 0; c < cells.size(); ++c) {
    if (cells[c].kind == kSlowDownStart) slow = SlowDownCell(cells[c]).speed / 3.6;
    if (cells[c].kind == kSlowDownEnd) slow = 0;
    double limit =
        std::min(static_cast<double>(LineSpeedKmh(cells[c].speed_limit)) / 3.6, max_speed);
    if (slow > 0) limit = std::min(limit, slow);
    limits[c] = limit;
  }
  return limits;
}

// A run's limit holds from its first metre until the train's tail has left
// it: the lowest of those in force at each metre is the head's limit.
std::vector<LimitChange> HeadLimits(const std::vector<double>& cell_limits, double length,
                                    double from, double to) {
  // Behind the line's first cell the train's tail meets no other limit.
  const std::int64_t first = std::max<std::int64_t>(0, CellUnder(from - length));
  const std::vector<LimitRun> runs = Runs(cell_limits, first, CellUnder(to));
  std::vector<double> edges;
  for (const LimitRun& run : runs) {
    edges.push_back(std::max(run.first, from));
    edges.push_back(std::max(run.last + length, from));
  }
  std::sort(edges.begin(), edges.end());  // an edge met twice changes nothing the second time
  std::vector<LimitChange> changes;
  std::multiset<double> held;
  std::size_t next = 0, gone = 0;
  for (const double edge : edges) {
    if (edge > to) break;
    while (next < runs.size() && runs[next].first <= edge) held.insert(runs[next++].limit);
    while (gone < next && runs[gone].last + length <= edge) {
      held.erase(held.find(runs[gone++].limit));
    }
    const double limit = held.empty() ? 0.0 : *held.begin();
    if (changes.empty() || changes.back().limit != limit) changes.push_back({edge, limit});
  }
  return changes;
}

double LimitAt(const std::vector<LimitChange>& changes, double metres) {
  const auto after =
      std::upper_bound(changes.begin(), changes.end(), metres,
                       [](double m, const LimitChange& change) { return m < change.from; });
  return after == changes.begin() ? 0.0 : std::prev(after)->limit;
}

double GradientAt(const std::vector<TrackCell>& cells, double metres) {
  const std::int64_t cell = CellUnder(metres);
  const TrackCell* under = CellAt(cells, cell);
  return under ? static_cast<double>(GradientPerMille(under->gradient)) : 0.0;
}

}  // namespace tarvosa::running
