#include "app/form_load.h"

#include "app/errore.h"
#include "documents/dati_linea.h"

namespace tarvosa {

ExitStatus Form_Load(Form1& form, Screen& screen) {
  form.route_title = "Tarvosa";
  form.train_title = "Corvale";
  screen.ShowWaitingWindow("Attendere");

  if (Status step = dati_linea(form); !step.ok()) return ReportFailure(screen, step);
  return ExitStatus::kClean;
}

}  // namespace tarvosa
