// The installer: started without arguments, it installs the scenario beside
// itself and ends. The exit status tells how the run went.
#include "app/run.h"
#include "util/os.h"

int main() {
  return tarvosa::RunInstaller(tarvosa::DefaultOs());
}
