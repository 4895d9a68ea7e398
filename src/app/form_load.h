// The whole run: name the scenario, show the waiting window, write the
// documents, compile the scenario, end.
#pragma once

#include <chrono>

#include "app/form.h"
#include "app/screen.h"
#include "documents/scenario_documents.h"
#include "util/os.h"
#include "util/status.h"

namespace tarvosa {

// How long a run waits for another run in its directory to end.
inline constexpr std::chrono::milliseconds kLockWait = std::chrono::seconds(60);

// Runs every step in order with `form.app_path`, `form.separator` and
// `form.program_name` set by the caller, every file through `os`; the first
// step that fails is shown and ends the run there. A scenario whose names
// clash or cannot name files everywhere (ScenarioNamesProblem) is refused
// before the window shows, a file-system failure with nothing written. A run that fails deletes the
// line and train files it wrote, as the compile does whatever its outcome. Once the window shows,
// the run holds the route's lock file in its directory until it ends,
// waiting up to `lock_wait` for another run to end, and first removes what
// killed runs left of the files it writes.
ExitStatus Form_Load(Os& os, Form1& form, Screen& screen,
                     std::chrono::milliseconds lock_wait = kLockWait);

// The same run for a scenario a packaged installer carries: its titles name
// the files, the window and the lock, and of its documents those it has are
// written, line for line, in the same order.
ExitStatus Form_Load(Os& os, Form1& form, Screen& screen, const ScenarioDocuments& scenario,
                     std::chrono::milliseconds lock_wait = kLockWait);

// The step after the documents: compiles the line and train files written
// beside the program and deletes them, whatever the outcome; a fatal
// conflict goes to errore, a data error is reported once the compiled files
// are written.
ExitStatus CompileScenario(Os& os, const Form1& form, Screen& screen);

}  // namespace tarvosa
