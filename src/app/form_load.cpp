#include "app/form_load.h"

#include <functional>
#include <utility>
#include <vector>

#include "app/errore.h"
#include "app/other_scenario.h"
#include "compiler/memorizza_percorso.h"
#include "documents/dati_linea.h"
#include "documents/dati_note.h"
#include "documents/dati_rallentamenti.h"
#include "documents/dati_scheda.h"
#include "documents/dati_treno.h"
#include "documents/file_names.h"
#include "documents/scenario_names.h"
#include "util/directory_lock.h"
#include "util/escape.h"
#include "util/files.h"
#include "util/windows1252.h"

namespace tarvosa {

namespace {

// A document a run writes, and which one it is.
struct DocumentStep {
  DocumentKind kind;
  std::function<Status(Os&, const Form1&)> write;
};
using DocumentWriter = Status (*)(Os&, const ScenarioPlace&);

// Deletes what it can of the files `names`: the run is failing already, and
// says why with its own message.
void RemoveFiles(Os& os, const std::vector<std::string>& names) {
  for (const std::string& name : names) (void)DeleteFileIfPresent(os, name);
}

}  // namespace

ExitStatus CompileScenario(Os& os, const Form1& form, Screen& screen) {
  const ScenarioFiles files{.line_definition = LineDefinitionName(form),
                            .train_data = TrainDataName(form),
                            .plan = LinePlanName(form),
                            .table = ScenarioTableName(form),
                            .track = TrackCellsName(form)};
  std::string route_title, train_title;
  if (!EncodeWindows1252(form.route_title, route_title).ok() ||
      !EncodeWindows1252(form.train_title, train_title).ok()) {
    // The inputs go whatever the outcome, as when the compiler reads them.
    RemoveFiles(os, {files.line_definition, files.train_data});
    return ReportFailure(screen,
                         Status::DataError("a title has a character with no Windows-1252 byte"));
  }
  std::int32_t j = 1;
  const Status compiled = memorizza_percorso(os, files, route_title, train_title, j);
  if (compiled.kind() == ExitStatus::kFatalConflict) return errore(screen, compiled.message());
  if (!compiled.ok()) return ReportFailure(screen, compiled);
  return ExitStatus::kClean;
}

namespace {

// Why the scenario's files cannot all be had under their names beside the
// program, naming the program where it is known; ok when they can.
Status NamesRefusal(const Form1& form) {
  const Status problem = ScenarioNamesProblem(form);
  if (problem.ok()) return problem;
  const std::string who =
      form.program_name.empty() ? std::string("the program") : FileName(form, {form.program_name});
  // The program's name is anyone's choice: it reaches the screen escaped.
  return Status::FileSystemError(
      EscapeTerminal(who + ": its scenario cannot be installed here: " + problem.message()));
}

// The sequence once the titles are set: the names checked, the window, the
// lock, the documents in order, the compile.
ExitStatus Install(Os& os, Form1& form, Screen& screen, const std::vector<DocumentStep>& documents,
                   std::chrono::milliseconds lock_wait) {
  if (Status names = NamesRefusal(form); !names.ok()) return ReportFailure(screen, names);
  screen.ShowWaitingWindow(form.route_title, "Attendere");

  // One run at a time: nothing is written, or read back, while another run
  // is halfway through the same files.
  const Result<DirectoryLock> lock = LockDirectory(os, LockName(form), lock_wait);
  if (!lock.ok()) return ReportFailure(screen, lock.status());
  // Names that meet another scenario's: its files are not ours to replace.
  if (Status theirs = CheckNoOtherScenario(os, form); !theirs.ok()) {
    return ReportFailure(screen, theirs);
  }
  for (const std::string& name : WrittenFileNames(form)) RemoveStaleTemporaryFiles(os, name);

  // The compiler's inputs written so far: the compile deletes them, and a
  // run that stops before it must delete them itself.
  std::vector<std::string> inputs;
  for (const DocumentStep& step : documents) {
    if (Status written = step.write(os, form); !written.ok()) {
      RemoveFiles(os, inputs);
      return ReportFailure(screen, written);
    }
    if (IsCompilerInput(step.kind)) inputs.push_back(DocumentName(step.kind, form));
  }
  return CompileScenario(os, form, screen);
}

}  // namespace

ExitStatus Form_Load(Os& os, Form1& form, Screen& screen, std::chrono::milliseconds lock_wait) {
  form.route_title = "Tarvosa";
  form.train_title = "Corvale";
  constexpr std::pair<DocumentKind, DocumentWriter> kWriters[] = {
      {DocumentKind::kLineDefinition, dati_linea},
      {DocumentKind::kTrainData, dati_treno},
      {DocumentKind::kNotes, dati_note},
      {DocumentKind::kSlowDownOrder, dati_rallentamenti},
      {DocumentKind::kTimetable, dati_scheda}};
  std::vector<DocumentStep> documents;
  for (const auto& [kind, writer] : kWriters) documents.push_back({kind, writer});
  return Install(os, form, screen, documents, lock_wait);
}

ExitStatus Form_Load(Os& os, Form1& form, Screen& screen, const ScenarioDocuments& scenario,
                     std::chrono::milliseconds lock_wait) {
  form.route_title = scenario.route_title;
  form.train_title = scenario.train_title;
  std::vector<DocumentStep> documents;
  for (const DocumentKind kind : kWritingOrder) {
    if (const auto& lines = scenario[kind]) {
      documents.push_back({kind, [kind, &lines](Os& target, const Form1& place) {
                             return WriteScenarioDocument(target, place, kind, *lines);
                           }});
    }
  }
  return Install(os, form, screen, documents, lock_wait);
}

}  // namespace tarvosa
