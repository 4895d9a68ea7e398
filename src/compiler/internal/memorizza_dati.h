// Reading the scenario's two text files into the compiled scenario.
#pragma once

#include "compiler/compile.h"
#include "compiler/compiled_model.h"
#include "compiler/diagnostics.h"

namespace tarvosa {

// Copies the titles into the scenario table, reads the line definition
// file, then, when it was read to its end or to a feature beyond the track,
// the train data file. A fault in the data is recorded in `diagnostics`; a
// read a file cannot satisfy records 25.
void memorizza_dati(const CompileInput& input, CompiledScenario& out, Diagnostics& diagnostics);

}  // namespace tarvosa
