// scenario check: what the compiler accepts silently but is almost always a
// mistake, in both files, then the compiler's own verdict.
#pragma once

#include "tool/compile_command.h"

namespace tarvosa::tool {

// Reports every warning and the verdict on stderr; writes no file. Returns
// the compile's exit status: warnings alone leave it 0, but with --strict.
int RunCheck(const CompileOptions& options);

}  // namespace tarvosa::tool
