// The installer a package is made from, and the packaged program: the
// installer's bytes with a scenario appended (documents/payload.h).
#pragma once

#include <string>

#include "util/os.h"
#include "util/status.h"

namespace tarvosa::packaging {

// The installer to package, a regular file on `os`: `given` (--installer)
// when it is not empty; else Tarvosa_Corvale, or Tarvosa_Corvale.exe for
// Windows, beside `tool`, the running tool's own file, when that is known;
// else, for Windows, the Windows build in this source tree,
// build-windows/src/Tarvosa_Corvale.exe. None there is a file-system error
// that names every place looked in.
Result<std::string> FindInstaller(Os& os, const std::string& given, bool windows,
                                  const Result<std::string>& tool);

// The installer's bytes with the place of `payload` written into its slot,
// and the payload after them. An installer that cannot be read is a
// file-system error; one for the other system, without its slot or
// carrying a scenario already, a usage error.
Result<std::string> PackagedProgram(Os& os, const std::string& installer, bool windows,
                                    const std::string& payload);

// Writes `bytes` as the program `output`, which others may run, making its
// directory when missing; an existing file only with `force`.
Status WriteProgram(Os& os, const std::string& output, const std::string& bytes, bool force);

}  // namespace tarvosa::packaging
