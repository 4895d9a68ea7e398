// The scenario a packaged installer carries after its own bytes, in the
// layout of documents/payload.h.
#pragma once

#include <cstdint>
#include <string>

#include "documents/scenario_documents.h"
#include "util/os.h"
#include "util/status.h"

namespace tarvosa {

// Where this program's scenario begins in its file, as the tool wrote it
// into the program's slot; 0 when the program carries none.
std::uint64_t PayloadOffset();

// Reads the scenario that the program `program` carries from `offset` on.
// A failure names the program and the reason: its file cannot be read, or
// its scenario is cut short, altered or of a version it cannot read.
Result<ScenarioDocuments> ReadPackagedScenario(Os& os, const std::string& program,
                                               std::uint64_t offset);

}  // namespace tarvosa
