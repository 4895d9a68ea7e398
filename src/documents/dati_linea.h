// The line definition file: the route's length, curves, gradients, tunnel
// spans, speed-indicator boards and text boards.
#pragma once

#include "documents/file_names.h"
#include "util/os.h"
#include "util/status.h"

namespace tarvosa {

// Writes the route's line definition file, Tarvosa_linea.txt.
Status dati_linea(Os& os, const ScenarioPlace& place);

}  // namespace tarvosa
