// Small compiled lines for the running-time tests, built cell by cell: a
// line speed and a gradient for every cell, and stations in the table.
#pragma once

#include <cstdint>
#include <string>

#include "compiler/compiled_model.h"
#include "running/rolling_stock.h"

namespace tarvosa::testing {

// A level line of `metres` at `kmh` (a multiple of 5 up to 1275).
CompiledScenario Line(std::int32_t metres, int kmh);

// Cells `first` to `last` at `kmh`, or on `per_mille`.
void SetSpeed(CompiledScenario& line, std::int64_t first, std::int64_t last, int kmh);
void SetGradient(CompiledScenario& line, std::int64_t first, std::int64_t last, int per_mille);

// Station `entry` (1, 2, ...) at `position`, with `time` seconds since
// midnight or 0 for none; `stop_cell` above 0 gives it that stop cell.
void AddStation(CompiledScenario& line, std::size_t entry, std::int32_t position, std::int32_t time,
                const std::string& name = "S", std::int64_t stop_cell = 0);

// A train of `mass` kg with `effort` N at every speed and nothing resisting
// it, 1 m long, braking at `braking`.
running::RollingStock ConstantEffort(double mass, double effort, double braking);

}  // namespace tarvosa::testing
