// A timetable sheet made from a compiled scenario, in the layout of the
// embedded one: the train box, the stations with their times, and the line
// speeds and service localities by kilometre.
#pragma once

#include <string_view>

#include "documents/route_facts.h"
#include "documents/scenario_documents.h"

namespace tarvosa {

// The sheet of `train_title` (UTF-8) over the route `facts` describe. A
// station's time from the train data is its departure or passing time, at
// the last station its arrival; a station without one has none.
DocumentLines GenerateTimetable(const RouteFacts& facts, std::string_view train_title);

}  // namespace tarvosa
