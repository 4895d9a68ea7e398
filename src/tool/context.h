// What a command works with: where it writes, what it was asked for on
// `out` and everything else (warnings, verdicts, failures) on `err`, the
// system whose files it reads and writes, and the tool's own file. The
// program passes its standard output and error, the platform's files and
// its file; tests pass strings, and a file system in memory where they
// need one.
#pragma once

#include <ostream>
#include <string>

#include "util/os.h"
#include "util/status.h"

namespace tarvosa::tool {

struct Context {
  std::ostream& out;
  std::ostream& err;
  Os& os;
  // The running tool's program file, beside which `package` looks for the
  // installer; a failure where the system cannot tell, or the tool runs
  // inside another program.
  Result<std::string> program;
};

}  // namespace tarvosa::tool
