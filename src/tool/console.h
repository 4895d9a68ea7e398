// Where a command writes: what it was asked for on `out`, everything else
// (warnings, verdicts, failures) on `err`. The program passes its standard
// output and error; tests pass strings.
#pragma once

#include <ostream>

namespace tarvosa::tool {

struct Console {
  std::ostream& out;
  std::ostream& err;
};

}  // namespace tarvosa::tool
