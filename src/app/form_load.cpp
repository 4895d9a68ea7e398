#include "app/form_load.h"

#include "app/errore.h"
#include "documents/file_names.h"
#include "compiler/data_errors.h"
#include "compiler/memorizza_percorso.h"
#include "documents/dati_linea.h"
#include "documents/dati_note.h"
#include "documents/dati_rallentamenti.h"
#include "documents/dati_scheda.h"
#include "documents/dati_treno.h"
#include "util/windows1252.h"

namespace tarvosa {
namespace {

// The compiler's view of the form: its titles in Windows-1252 and the names
// of the files it reads and writes.
Status PrepareCompiler(const Form1& form, CompilerState& state) {
  if (AppendWindows1252(form.route_title, state.route_title) ||
      AppendWindows1252(form.train_title, state.train_title)) {
    return Status::DataError("a title has a character with no Windows-1252 byte");
  }
  state.line_file = LineDefinitionName(form);
  state.train_file = TrainDataName(form);
  state.plan_file = LinePlanName(form);
  state.table_file = ScenarioTableName(form);
  state.track_file = TrackCellsName(form);
  return Status();
}

}  // namespace

ExitStatus CompileScenario(const Form1& form, Screen& screen) {
  CompilerState state;
  if (Status prepared = PrepareCompiler(form, state); !prepared.ok()) {
    return ReportFailure(screen, prepared);
  }
  std::int32_t j = 1;
  const Status compiled = memorizza_percorso(state, j);
  if (compiled.kind() == ExitStatus::kFatalConflict) return errore(screen, compiled.message());
  if (!compiled.ok()) return ReportFailure(screen, compiled);
  if (state.error_code != 0) {
    return ReportFailure(screen, Status::DataError(DescribeDataError(state)));
  }
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
