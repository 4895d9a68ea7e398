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
#include "util/files.h"
#include "util/os.h"
#include "util/windows1252.h"

namespace tarvosa {

namespace {

Status LockFailure(const std::string& lock_file, std::chrono::milliseconds wait,
                   const std::error_code& error) {
  if (error == std::errc::timed_out) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(wait).count();
    return Status::FileSystemError(lock_file + ": another install is running in this directory (" +
                                   std::to_string(seconds) + " s waited for it to end)");
  }
  return Status::FileSystemError(lock_file + ": cannot lock the directory: " + error.message());
}

using DocumentStep = std::function<Status(const Form1&)>;

}  // namespace

ExitStatus CompileScenario(const Form1& form, Screen& screen) {
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
  const Status compiled = memorizza_percorso(files, route_title, train_title, j);
  if (compiled.kind() == ExitStatus::kFatalConflict) return errore(screen, compiled.message());
  if (!compiled.ok()) return ReportFailure(screen, compiled);
  return ExitStatus::kClean;
}

namespace {

// The sequence once the titles are set: the window, the lock, the documents
// in order, the compile.
ExitStatus Install(Form1& form, Screen& screen, const std::vector<DocumentStep>& documents,
                   std::chrono::milliseconds lock_wait) {
  screen.ShowWaitingWindow(form.route_title, "Attendere");

  // One run at a time: nothing is written, or read back, while another run
  // is halfway through the same files.
  std::error_code error;
  const std::string lock_file = LockName(form);
  const auto lock = os::LockDirectory(PathFromUtf8(lock_file), lock_wait, error);
  if (!lock) return ReportFailure(screen, LockFailure(lock_file, lock_wait, error));
  for (const std::string& name : WrittenFileNames(form)) RemoveStaleTemporaryFiles(name);

  for (const DocumentStep& write : documents) {
    if (Status step = write(form); !step.ok()) return ReportFailure(screen, step);
  }
  return CompileScenario(form, screen);
}

}  // namespace

ExitStatus Form_Load(Form1& form, Screen& screen, std::chrono::milliseconds lock_wait) {
  form.route_title = "Tarvosa";
  form.train_title = "Corvale";
  return Install(form, screen, {dati_linea, dati_treno, dati_note, dati_rallentamenti, dati_scheda},
                 lock_wait);
}

ExitStatus Form_Load(Form1& form, Screen& screen, const ScenarioDocuments& scenario,
                     std::chrono::milliseconds lock_wait) {
  form.route_title = scenario.route_title;
  form.train_title = scenario.train_title;
  std::vector<DocumentStep> documents;
  for (const DocumentKind kind : kWritingOrder) {
    if (const auto& lines = scenario[kind]) {
      documents.push_back(
          [kind, &lines](const Form1& f) { return WriteScenarioDocument(f, kind, *lines); });
    }
  }
  return Install(form, screen, documents, lock_wait);
}

}  // namespace tarvosa
