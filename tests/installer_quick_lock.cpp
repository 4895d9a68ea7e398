// The installer, waiting one second instead of a minute for another run to
// end: a lock that cannot be had, tested without a minute's wait.
#include "app/run.h"
#include "util/os.h"

int main() {
  return tarvosa::RunInstaller(tarvosa::DefaultOs(), std::chrono::seconds(1));
}
