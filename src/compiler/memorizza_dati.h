// Reading the scenario's two text files into the compiled scenario.
#pragma once

#include "compiler/compiler_state.h"
#include "util/status.h"

namespace tarvosa {

// Reads the line definition file, then, when it was read to its end or to a
// feature beyond the track, the train data file. A fault in the data is
// recorded in `state.error_code` and `state.error_position` and the
// procedure still returns normally; a read a file cannot satisfy records 25.
// Both files exist only to be read here: they are deleted on every way out.
// Fails only when one of them cannot be deleted.
Status memorizza_dati(CompilerState& state);

}  // namespace tarvosa
