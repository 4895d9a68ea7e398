// The installer a package is made from, and the packaged program: the
// installer's bytes with a scenario appended (documents/payload.h).
#pragma once

#include <optional>
#include <string>

#include "tool/compiled_input.h"

namespace tarvosa::tool {

// The installer to package: `given` (--installer) when it is not empty;
// else Tarvosa_Corvale, or Tarvosa_Corvale.exe for Windows, beside this
// tool; else, for Windows, the Windows build in this source tree,
// build-windows/src/Tarvosa_Corvale.exe. None there is a problem of status
// 1 that names every place looked in.
std::optional<std::string> FindInstaller(const std::string& given, bool windows,
                                         InputProblem& problem);

// The installer's bytes with the place of `payload` written into its slot,
// and the payload after them. An installer that cannot be read is a
// problem of status 1; one for the other system, without its slot or
// carrying a scenario already, of status 4.
std::optional<std::string> PackagedProgram(const std::string& installer, bool windows,
                                           const std::string& payload, InputProblem& problem);

}  // namespace tarvosa::tool
