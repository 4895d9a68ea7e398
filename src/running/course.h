// The line as a run meets it, from the library's own files: the speed limit
// in force at the head of the train and the gradient under it, as pieces of
// constant value between the metres where either changes. A cell c stands
// for the metres 50 (c − 1) to 50 c, as the dump shows it.
#pragma once

#include <vector>

#include "compiler/compiled_model.h"
#include "running/rolling_stock.h"
#include "util/status.h"

namespace tarvosa::running {

inline constexpr double kCellMetres = 50;

// The cell whose metres hold `metres`.
std::int64_t CellUnder(double metres);
// The first metre of cell `cell`.
double CellStartMetres(std::int64_t cell);

// Pieces of constant limit: the limit in force from `from` on.
struct LimitChange {
  double from = 0.0;
  double limit = 0.0;  // m/s
};

// The limit of each cell: its line speed, a slow-down's where one holds,
// and never above the train's top speed; in m/s. Cells beyond the track
// have none (0).
std::vector<double> CellLimits(const std::vector<TrackCell>& cells, double max_speed);

// The limit at the head, from `from` to `to`: a lower limit from its first
// metre, a higher one only once the whole `length` of the train has left
// the lower one behind it. The first change stands at `from`.
std::vector<LimitChange> HeadLimits(const std::vector<double>& cell_limits, double length,
                                    double from, double to);

// The limit of `changes` in force at `metres`.
double LimitAt(const std::vector<LimitChange>& changes, double metres);

// The gradient of the cell under `metres`, per mille; 0 beyond the track.
double GradientAt(const std::vector<TrackCell>& cells, double metres);

}  // namespace tarvosa::running
