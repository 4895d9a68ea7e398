#include "app/form_load.h"

#include "app/errore.h"
#include "compiler/memorizza_percorso.h"
#include "documents/dati_linea.h"
#include "documents/dati_note.h"
#include "documents/dati_rallentamenti.h"
#include "documents/dati_scheda.h"
#include "documents/dati_treno.h"
#include "documents/file_names.h"
#include "util/windows1252.h"

namespace tarvosa {

ExitStatus CompileScenario(const Form1& form, Screen& screen) {
  std::string route_title, train_title;
  if (AppendWindows1252(form.route_title, route_title) ||
      AppendWindows1252(form.train_title, train_title)) {
    return ReportFailure(screen,
                         Status::DataError("a title has a character with no Windows-1252 byte"));
  }
  const ScenarioFiles files{.line_definition = LineDefinitionName(form),
                            .train_data = TrainDataName(form),
                            .plan = LinePlanName(form),
                            .table = ScenarioTableName(form),
                            .track = TrackCellsName(form)};
  std::int32_t j = 1;
  const Status compiled = memorizza_percorso(files, route_title, train_title, j);
  if (compiled.kind() == ExitStatus::kFatalConflict) return errore(screen, compiled.message());
  if (!compiled.ok()) return ReportFailure(screen, compiled);
  return ExitStatus::kClean;
}

ExitStatus Form_Load(Form1& form, Screen& screen) {
  form.route_title = "Tarvosa";
  form.train_title = "Corvale";
  screen.ShowWaitingWindow("Attendere");

  for (Status (*writer)(const Form1&) :
       {dati_linea, dati_treno, dati_note, dati_rallentamenti, dati_scheda}) {
    if (Status step = writer(form); !step.ok()) return ReportFailure(screen, step);
  }
  return CompileScenario(form, screen);
}

}  // namespace tarvosa
