#include "app/errore.h"

#include <string>

namespace tarvosa {

ExitStatus errore(Screen& screen, std::string_view a) {
  screen.ShowMessage(" Errore n. " + std::string(a));
  return ExitStatus::kFatalConflict;
}

ExitStatus ReportFailure(Screen& screen, const Status& failure) {
  screen.ShowMessage(failure.message());
  return failure.kind();
}

}  // namespace tarvosa
