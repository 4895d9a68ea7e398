// The installer on Windows: a windowed program whose entry point is
// wWinMain. The exit status tells how the run went.
#include <windows.h>

#include "app/run.h"
#include "util/os.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return tarvosa::RunInstaller(tarvosa::DefaultOs());
}
