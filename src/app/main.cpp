// The installer: started without arguments, it installs the scenario beside
// itself and ends. The exit status tells how the run went.
#include "app/form_load.h"
#include "app/platform.h"

int main() {
  using namespace tarvosa;
  platform::PrepareProcess();
  const auto screen = platform::OpenScreen();
  const auto directory = platform::ExecutableDirectory();
  if (!directory) {
    screen->ShowMessage("cannot find the directory of the running program");
    return static_cast<int>(ExitStatus::kFileSystem);
  }
  Form1 form;
  form.app_path = *directory;
  form.separator = platform::PathSeparator();
  return static_cast<int>(Form_Load(form, *screen));
}
