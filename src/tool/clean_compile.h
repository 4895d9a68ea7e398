// The compile that must be clean before the tool makes anything of a
// scenario: `package` and `documents` go through it.
#pragma once

#include <string>

#include "tool/compile_command.h"

namespace tarvosa::tool {

// Compiles the two files' bytes in memory as `compile` does, prints the
// warnings, and returns 0 when the scenario compiles without a data error,
// and without a warning that counts under --strict. Otherwise it prints the
// compiler's verdict ("FILE:LINE:COLUMN: error N ...") followed by
// `refused` ("nothing packaged"), and returns 2 for a data error (or
// --strict and warnings) or 3 for a fatal conflict.
int CompileCleanly(const CompileOptions& options, const Sources& sources,
                   const std::string& refused, Compilation& compilation);

}  // namespace tarvosa::tool
