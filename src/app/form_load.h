// The whole run: name the scenario, show the waiting window, write the
// documents, compile the scenario, end.
#pragma once

#include "app/form.h"
#include "app/screen.h"
#include "util/status.h"

namespace tarvosa {

// Runs every step in order with `form.app_path` and `form.separator` set by
// the caller; the first step that fails is shown and ends the run there.
ExitStatus Form_Load(Form1& form, Screen& screen);

// The step after the documents: compiles the line and train files written
// beside the program; a fatal conflict goes to errore, a data error is
// reported once the compiled files are written.
ExitStatus CompileScenario(const Form1& form, Screen& screen);

}  // namespace tarvosa
