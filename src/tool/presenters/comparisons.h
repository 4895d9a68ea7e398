// What changed between two compiled files of one kind, written for an
// author. Each writes its lines to `out` and returns whether the two differ.
#pragma once

#include <ostream>

#include "compiler/compiled_files.h"
#include "tool/presenters/cell_description.h"

namespace tarvosa::tool {

// Cell by cell: every cell whose feature, values or approach code differ,
// with its metres and what it holds on each side; then the profile
// differences in runs of cells that differ alike.
bool CompareTracks(const TrackContext& a, const TrackContext& b, std::ostream& out);

// Entry by entry: its index and role, and the fields that differ, decoded.
bool CompareTables(const ScenarioHeader& a, const ScenarioHeader& b, std::ostream& out);

// Row by row over the rows both have: how many differ, and the largest
// distance between the two plans and the row where it is.
bool ComparePlans(const DecodedPlan& a, const DecodedPlan& b, std::ostream& out);

}  // namespace tarvosa::tool
