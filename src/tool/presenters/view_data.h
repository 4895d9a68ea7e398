// What the scenario view shows, as one JSON document: the line cell by
// cell and its plan, every feature with the record that placed it, the
// stations, and the compile's errors and warnings with their places.
#pragma once

#include <string>
#include <string_view>

#include "compiler/compiled_model.h"
#include "compiler/diagnostics.h"
#include "tool/presenters/table_printer.h"

namespace tarvosa::tool {

// The two text files a scenario was compiled from, when it was.
struct ViewSources {
  SourceText line;
  SourceText train;
};

// The view's data, with the first 1000 warnings and a count of the rest;
// `diagnostics` and `sources` are null for a scenario read
// from its compiled files.
Json ViewData(const CompiledScenario& scenario, const Diagnostics* diagnostics,
              const ViewSources* sources);

}  // namespace tarvosa::tool
