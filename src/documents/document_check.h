// Whether the driver's documents say what the compiled scenario does: the
// timetable sheet's stations, their order, kilometres and times, and the
// slow-down order's places and speeds. A driver trusts the paper, so any
// disagreement is told, naming both values.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "documents/route_facts.h"
#include "documents/scenario_documents.h"

namespace tarvosa {

// A disagreement at a line and column (characters) of the document, from 1.
struct DocumentFinding {
  std::size_t line = 0;
  std::size_t column = 0;
  std::string text;
};

// Every station of the train data must be on the sheet's station table, in
// running order, with no other, and named at its kilometre (within 10 m)
// in a speed table. A time the data gives must agree to the half minute
// (30 s) with the sheet's departure or passing time, at the last station
// with its arrival; the origin's time is not compared, since a sheet may
// show the booked departure there.
std::vector<DocumentFinding> CheckTimetable(const DocumentLines& sheet, const RouteFacts& facts);

// The order's restrictions, in their order, must be the train's slow-downs:
// each beginning after the kilometre post written (within the next
// kilometre) and at the speed written.
std::vector<DocumentFinding> CheckSlowDownOrder(const DocumentLines& order,
                                                const RouteFacts& facts);

}  // namespace tarvosa
