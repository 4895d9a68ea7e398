#include "app/run.h"

#include "app/form_load.h"
#include "app/platform.h"

namespace tarvosa {

int RunInstaller(std::chrono::milliseconds lock_wait) {
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
  return static_cast<int>(Form_Load(form, *screen, lock_wait));
}

}  // namespace tarvosa
