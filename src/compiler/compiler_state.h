// The state one compilation works on. Every value lives here, in one object
// that the caller owns: the compiler has no global state.
#pragma once

#include <cstdint>

namespace tarvosa {

struct CompilerState {
  // The last fault found in the scenario data, 0 when there is none, and the
  // progressive (metres) that goes with it where it has one.
  std::int32_t error_code = 0;
  std::int32_t error_position = 0;
};

}  // namespace tarvosa
