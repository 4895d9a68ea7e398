#include "app/form_load.h"

#include <functional>
#include <vector>

#include "app/errore.h"
#include "compiler/memorizza_percorso.h"
#include "documents/dati_linea.h"
#include "documents/dati_note.h"
#include "documents/dati_rallentamenti.h"
#include "documents/dati_scheda.h"
#include "documents/dati_treno.h"
#include "documents/file_names.h"
#include "util/directory_lock.h"
#include "util/files.h"
#include "util/windows1252.h"

namespace tarvosa {

namespace {

using DocumentStep = std::function<Status(Os&, const Form1&)>;
using DocumentWriter = Status (*)(Os&, const ScenarioPlace&);

}  // namespace

ExitStatus CompileScenario(Os& os, const Form1& form, Screen& screen) {
  std::string route_title, train_title;
  if (!EncodeWindows1252(form.route_title, route_title).ok() ||
      !EncodeWindows1252(form.train_title, train_title).ok()) {
    return ReportFailure(screen,
                         Status::DataError("a title has a character with no Windows-1252 byte"));
  }
  const ScenarioFiles files{.line_definition = LineDefinitionName(form),
                            .train_data = TrainDataName(form),
                            .plan = LinePlanName(form),
                            .table = ScenarioTableName(form),
                            .track = TrackCellsName(form)};
  std::int32_t j = 1;
  const Status compiled = memorizza_percorso(os, files, route_title, train_title, j);
  if (compiled.kind() == ExitStatus::kFatalConflict) return errore(screen, compiled.message());
  if (!compiled.ok()) return ReportFailure(screen, compiled);
  return ExitStatus::kClean;
}

namespace {

// The sequence once the titles are set: the window, the lock, the documents
// in order, the compile.
ExitStatus Install(Os& os, Form1& form, Screen& screen, const std::vector<DocumentStep>& documents,
                   std::chrono::milliseconds lock_wait) {
  screen.ShowWaitingWindow(form.route_title, "Attendere");

  // One run at a time: nothing is written, or read back, while another run
  // is halfway through the same files.
  const Result<DirectoryLock> lock = LockDirectory(os, LockName(form), lock_wait);
  if (!lock.ok()) return ReportFailure(screen, lock.status());
  for (const std::string& name : WrittenFileNames(form)) RemoveStaleTemporaryFiles(os, name);

  for (const DocumentStep& write : documents) {
    if (Status step = write(os, form); !step.ok()) return ReportFailure(screen, step);
  }
  return CompileScenario(os, form, screen);
}

}  // namespace

ExitStatus Form_Load(Os& os, Form1& form, Screen& screen, std::chrono::milliseconds lock_wait) {
  form.route_title = "Tarvosa";
  form.train_title = "Corvale";
  constexpr DocumentWriter kWriters[] = {dati_linea, dati_treno, dati_note, dati_rallentamenti,
                                         dati_scheda};
  return Install(os, form, screen, {std::begin(kWriters), std::end(kWriters)}, lock_wait);
}

ExitStatus Form_Load(Os& os, Form1& form, Screen& screen, const ScenarioDocuments& scenario,
                     std::chrono::milliseconds lock_wait) {
  form.route_title = scenario.route_title;
  form.train_title = scenario.train_title;
  std::vector<DocumentStep> documents;
  for (const DocumentKind kind : kWritingOrder) {
    if (const auto& lines = scenario[kind]) {
      documents.push_back([kind, &lines](Os& target, const Form1& place) {
        return WriteScenarioDocument(target, place, kind, *lines);
      });
    }
  }
  return Install(os, form, screen, documents, lock_wait);
}

}  // namespace tarvosa
