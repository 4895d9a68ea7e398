// Reading the scenario's two text files into the compiled scenario.
#pragma once

#include "compiler/compiler_state.h"
#include "util/status.h"

namespace tarvosa {

// Reads the line definition file, then deletes it. A fault in the data is
// recorded in `state.error_code` and `state.error_position` and the
// procedure still returns normally; a read the file cannot satisfy records
// 25, and then the train data file is deleted too. Fails only when a file
// that was read cannot be deleted.
Status memorizza_dati(CompilerState& state);

}  // namespace tarvosa
