// The compiled files as an author reads them (scenario dump): cells with
// their metres, named values and profile; table entries with times, metres
// and roles; the plan by the metre.
#pragma once

#include <vector>

#include "compiler/compiled_files.h"
#include "tool/presenters/table_printer.h"

namespace tarvosa::tool {

// Cell 0, every cell that holds a feature, a stored value or an approach
// code, and every cell where the profile changes. `header`, the table
// beside the track, names stations and board texts; it may be null.
Table TrackTable(const std::vector<TrackCell>& cells, const ScenarioHeader* header);

// Every entry from 0 to 80 that is not empty, and entries 81 to 86.
Table ScenarioTable(const ScenarioHeader& header);

// Every step-th row of the plan, from row 0; row m is metre m.
Table PlanTable(const DecodedPlan& plan, long step);

}  // namespace tarvosa::tool
