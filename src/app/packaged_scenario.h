// The scenario a packaged installer carries after its own bytes, in the
// layout of documents/payload.h.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "app/form_load.h"
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

// Installs that scenario with Form_Load. It is read and checked whole
// first, every line of it as the writers will encode it: a scenario that
// cannot be read or installed as it stands is reported before the window
// shows, and the run ends with a file-system failure, nothing written.
ExitStatus InstallPackagedScenario(Os& os, Form1& form, Screen& screen, const std::string& program,
                                   std::uint64_t offset,
                                   std::chrono::milliseconds lock_wait = kLockWait);

}  // namespace tarvosa
