// The driver's documents a package needs and the author did not write:
// the slow-down order and timetable sheet, made from the compiled scenario
// as `scenario documents` makes them.
#pragma once

#include <vector>

#include "compiler/compiled_model.h"
#include "documents/scenario_documents.h"

namespace tarvosa::packaging {

// Whether the author's own slow-down order and sheet give way to made ones.
enum class Making : bool { kWhatIsLacking, kBoth };

// Adds to `scenario` the slow-down order and timetable sheet it lacks (or,
// with kBoth, puts them in place of the author's), made from `compiled`,
// the scenario compiled cleanly; returns the kinds made, in that order.
std::vector<DocumentKind> AddMadeDocuments(const CompiledScenario& compiled,
                                           ScenarioDocuments& scenario,
                                           Making making = Making::kWhatIsLacking);

}  // namespace tarvosa::packaging
