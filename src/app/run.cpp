#include "app/run.h"

#include "app/errore.h"
#include "app/form_load.h"
#include "app/packaged_scenario.h"
#include "app/platform.h"

namespace tarvosa {
namespace {

// Installs the scenario the program carries, from the program's own file.
ExitStatus InstallPackaged(Os& os, Form1& form, Screen& screen, std::uint64_t offset,
                           std::chrono::milliseconds lock_wait) {
  const Result<std::string> program = platform::ExecutablePath();
  if (!program.ok()) {
    return ReportFailure(screen,
                         Status::FileSystemError(program.status().message() + " for its scenario"));
  }
  return InstallPackagedScenario(os, form, screen, *program, offset, lock_wait);
}

// The running program's own file name, held to the scenario's names; ""
// when the system cannot tell.
std::string ProgramName(char separator) {
  const Result<std::string> program = platform::ExecutablePath();
  if (!program.ok()) return "";
  return program->substr(program->find_last_of(separator) + 1);
}

}  // namespace

int RunInstaller(Os& os, std::chrono::milliseconds lock_wait) {
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
  form.program_name = ProgramName(form.separator);
  // An installer as built carries no scenario and never reads its own file.
  if (const std::uint64_t offset = PayloadOffset(); offset != 0) {
    return static_cast<int>(InstallPackaged(os, form, *screen, offset, lock_wait));
  }
  return static_cast<int>(Form_Load(os, form, *screen, lock_wait));
}

}  // namespace tarvosa
