// The installer as a program: the platform's screen and directory around
// Form_Load, with the scenario the program carries when the tool packaged
// one into it. The system's entry point (main, or wWinMain on Windows)
// calls it and returns its exit status.
#pragma once

#include <chrono>

#include "app/form_load.h"

namespace tarvosa {

// Every file through `os`; `lock_wait`: how long to wait for another run in
// the same directory.
int RunInstaller(Os& os, std::chrono::milliseconds lock_wait = kLockWait);

}  // namespace tarvosa
