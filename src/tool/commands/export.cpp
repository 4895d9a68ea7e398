// scenario export: the embedded scenario's five documents, a complete
// example to start from.
#include <memory>

#include "documents/dati_linea.h"
#include "documents/dati_note.h"
#include "documents/dati_rallentamenti.h"
#include "documents/dati_scheda.h"
#include "documents/dati_treno.h"
#include "documents/file_names.h"
#include "tool/commands/registry.h"
#include "tool/document_files.h"

namespace tarvosa::tool {
namespace {

struct ExportOptions {
  std::string directory;
  bool force = false;
};

Outcome RunExport(const ExportOptions& options, Os& os) {
  const ScenarioPlace place{
      .route_title = "Tarvosa", .train_title = "Corvale", .app_path = options.directory};
  const auto file = [&](std::string name, Status (*writer)(Os&, const ScenarioPlace&)) {
    return DocumentFile{std::move(name), [&os, &place, writer] { return writer(os, place); }};
  };
  return WriteDocumentFiles(
      os, options.directory,
      {file(LineDefinitionName(place), dati_linea), file(TrainDataName(place), dati_treno),
       file(NotesName(place), dati_note), file(SlowDownOrderName(place), dati_rallentamenti),
       file(TimetableName(place), dati_scheda)},
      options.force);
}

Handler Declare(CLI::App& command, Os&) {
  auto options = std::make_shared<ExportOptions>();
  command.add_option("DIR", options->directory, "directory to write into")->required();
  command.add_flag("--force", options->force, "replace files that exist already");
  command.footer(kExitStatuses);
  return [options](Context& context) -> Outcome { return RunExport(*options, context.os); };
}

}  // namespace

const Command kExportCommand = {"export", "Write the embedded scenario's five documents into DIR.",
                                Declare};

}  // namespace tarvosa::tool
