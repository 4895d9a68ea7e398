// The installer, waiting one second instead of a minute for another run to
// end: a lock that cannot be had, tested without a minute's wait.
#include "app/run.h"

int main() {
  return tarvosa::RunInstaller(std::chrono::seconds(1));
}
