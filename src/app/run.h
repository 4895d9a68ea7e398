// The installer as a program: the platform's screen and directory around
// Form_Load. The system's entry point (main, or wWinMain on Windows) calls
// it and returns its exit status.
#pragma once

namespace tarvosa {

int RunInstaller();

}  // namespace tarvosa
