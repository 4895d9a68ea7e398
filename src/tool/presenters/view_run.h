// A train's run as the scenario view shows it: beside the line's profiles,
// cell by cell, its speed, the braking ceiling and its time; and its
// stations against the timetable.
#pragma once

#include <cstddef>

#include "running/running_time.h"
#include "tool/presenters/run_report.h"
#include "tool/presenters/table_printer.h"

namespace tarvosa::tool {

// The run at the first metre of each of cells 1 to `cell_count`: speeds in
// km/h and seconds, null where the run does not reach; with the train, the
// total and the stations as `scenario run` gives them.
Json ViewRun(const running::RunResult& run, const RunSettings& settings, std::size_t cell_count);

}  // namespace tarvosa::tool
