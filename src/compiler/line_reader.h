// The line half of memorizza_dati: reads the line definition file into the
// track cells, the scenario table and the plan of the line.
#pragma once

#include "compiler/compiler_state.h"

namespace tarvosa {

// How the line half ended: the train half follows when the file was read to
// its end or stopped at a feature beyond the track (error 15); on any other
// recorded error the compilation of the files stops.
enum class LineHalfEnd { kTrainHalfFollows, kStop };

// Reads `state.line_file`. Data faults are recorded in `state.error_code`
// and `state.error_position`; a read the file cannot satisfy throws
// RuntimeFailure. Leaves deleting the file to its caller.
LineHalfEnd ReadLineFile(CompilerState& state);

}  // namespace tarvosa
