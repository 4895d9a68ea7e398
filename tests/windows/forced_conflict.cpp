// A Windows run whose line puts a text board in the first cell, so that the
// header stamping finds the marker's place taken: the installer's own
// compile step must show " Errore n. 1250" in a message box, end with
// status 3, and write no compiled file. Built like the installer, but with
// these two files in place of the scenario's documents.
#include <windows.h>

#include <string>

#include "app/form_load.h"
#include "app/platform.h"
#include "documents/file_names.h"
#include "util/files.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace tarvosa;
  const auto screen = platform::OpenScreen();
  screen->ShowWaitingWindow("Tarvosa", "Attendere");
  const auto directory = platform::ExecutableDirectory();
  if (!directory) return static_cast<int>(ExitStatus::kFileSystem);
  const Form1 form{.route_title = "Tarvosa",
                   .train_title = "Corvale",
                   .app_path = *directory,
                   .separator = platform::PathSeparator()};
  const std::string line =
      "[generale]\r\nlunghezza percorso,    10000\r\n[indicazioni]\r\n"
      "cartello_indicatore,  0,   (Zero)\r\n[fine]\r\n";
  Os& os = DefaultOs();
  if (!ReplaceFileContent(os, LineDefinitionName(form), line).ok() ||
      !ReplaceFileContent(os, TrainDataName(form), "[generale]\r\n[fine]\r\n").ok()) {
    return static_cast<int>(ExitStatus::kFileSystem);
  }
  return static_cast<int>(CompileScenario(os, form, *screen));
}
