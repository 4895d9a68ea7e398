// The compiler's driver: from the two text files to the three compiled files.
#pragma once

#include <cstdint>

#include "compiler/compiler_state.h"
#include "util/status.h"

namespace tarvosa {

// Clears the scenario table, reads both files (`j` nonzero also builds the
// plan), places the automatic braking points, stamps the two markers and
// the two check codes, and writes the compiled files.
//
// Returns ok once the files are written, even when a data error was
// recorded in `state.error_code` along the way; a data error when the line
// left no track to compile (nothing is written then); the fatal conflict
// 1250 or 1251 when a marker's place is already taken (nothing is written);
// or the failure of a file operation.
Status memorizza_percorso(CompilerState& state, std::int32_t j);

}  // namespace tarvosa
