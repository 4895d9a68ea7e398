// What a command works with: where it writes, what it was asked for on
// `out` and everything else (warnings, verdicts, failures) on `err`, and
// the system whose files it reads and writes. The program passes its
// standard output and error and the platform's files; tests pass strings,
// and a file system in memory where they need one.
#pragma once

#include <ostream>

#include "util/os.h"

namespace tarvosa::tool {

struct Context {
  std::ostream& out;
  std::ostream& err;
  Os& os;
};

}  // namespace tarvosa::tool
