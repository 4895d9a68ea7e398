// The line half of memorizza_dati: reads the line definition file into the
// track cells, the scenario table and the plan of the line.
#pragma once

#include <string_view>

#include "compiler/compiled_model.h"
#include "compiler/diagnostics.h"
#include "compiler/internal/reader_scratch.h"

namespace tarvosa {

// How the line half ended: the train half follows when the file was read to
// its end or stopped at a feature beyond the track (error 15); on any other
// recorded error the compilation of the files stops.
enum class LineHalfEnd { kTrainHalfFollows, kStop };

// Reads the line definition file `bytes`; with `plan` it also builds the
// plan of the line from the curves. Data faults, a read the file cannot
// satisfy (25) among them, are recorded in `diagnostics`. The line file is
// read first, into a `scratch` of its own.
LineHalfEnd ReadLineFile(std::string_view bytes, bool plan, CompiledScenario& out,
                         ReaderScratch& scratch, Diagnostics& diagnostics);

}  // namespace tarvosa
