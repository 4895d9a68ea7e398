// The compiled files as stored, member by member (scenario dump --raw).
#pragma once

#include <vector>

#include "compiler/compiled_files.h"
#include "tool/presenters/table_printer.h"

namespace tarvosa::tool {

// Every cell that holds more than its profiles, with every member.
Table RawTrackTable(const std::vector<TrackCell>& cells);

// Every entry that is not empty, with every member.
Table RawScenarioTable(const ScenarioHeader& header);

// Every step-th row of the plan, from row 0.
Table RawPlanTable(const DecodedPlan& plan, long step);

}  // namespace tarvosa::tool
