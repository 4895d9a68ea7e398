// The scenario author's notes: the line, its history, and how the scenario
// was built.
#pragma once

#include "documents/file_names.h"
#include "util/os.h"
#include "util/status.h"

namespace tarvosa {

// Writes the author's notes, Tarvosa_Corvale_note.txt.
Status dati_note(Os& os, const ScenarioPlace& place);

}  // namespace tarvosa
