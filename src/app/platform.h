// The little the program needs from the system it runs on.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/screen.h"
#include "util/status.h"

namespace tarvosa::platform {

// Prepares the process: a file that outgrows a size limit must fail its
// write rather than end the program.
void PrepareProcess();

// The directory of the running executable, without a trailing separator
// except for a root ("/", "C:\"); nothing when the system cannot tell.
std::optional<std::string> ExecutableDirectory();

// The running executable's own file, for reading what it carries; a
// file-system error when the system cannot tell.
Result<std::string> ExecutablePath();

// The separator between a directory and a file name.
char PathSeparator();

// The screen a run shows its window and messages on.
std::unique_ptr<Screen> OpenScreen();

}  // namespace tarvosa::platform
