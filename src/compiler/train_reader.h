// The train half of memorizza_dati: reads the train data file into the
// scenario table and the track cells.
#pragma once

#include "compiler/compiler_state.h"

namespace tarvosa {

// Reads `state.train_file` after the line half. Data faults are recorded in
// `state.error_code` and `state.error_position`; a read the file cannot
// satisfy (a missing or empty file included) throws RuntimeFailure. Leaves
// deleting the file to its caller.
void ReadTrainFile(CompilerState& state);

}  // namespace tarvosa
