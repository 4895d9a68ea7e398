// Whether the author's slow-down order and timetable sheet say what the
// scenario they are packaged with does.
#pragma once

#include <string>
#include <vector>

#include "compiler/compiled_model.h"
#include "documents/scenario_documents.h"

namespace tarvosa::packaging {

// Every disagreement of the two documents of `scenario` with `compiled`,
// the scenario compiled cleanly, as "NAME:LINE:COLUMN: warning: what", the
// documents in writing order (the slow-down order, then the sheet) and
// each from its top. A document the scenario lacks gives none.
std::vector<std::string> DocumentWarnings(const CompiledScenario& compiled,
                                          const ScenarioDocuments& scenario,
                                          const ScenarioPlace& place);

}  // namespace tarvosa::packaging
