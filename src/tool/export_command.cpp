#include "tool/export_command.h"

#include "documents/dati_linea.h"
#include "documents/dati_note.h"
#include "documents/dati_rallentamenti.h"
#include "documents/dati_scheda.h"
#include "documents/dati_treno.h"
#include "documents/file_names.h"
#include "tool/document_files.h"

namespace tarvosa::tool {

int RunExport(const std::string& directory, bool force) {
  const ScenarioPlace place{
      .route_title = "Tarvosa", .train_title = "Corvale", .app_path = directory};
  const auto file = [&](std::string name, Status (*writer)(const ScenarioPlace&)) {
    return DocumentFile{std::move(name), [&place, writer] { return writer(place); }};
  };
  return WriteDocumentFiles(
      directory,
      {file(LineDefinitionName(place), dati_linea), file(TrainDataName(place), dati_treno),
       file(NotesName(place), dati_note), file(SlowDownOrderName(place), dati_rallentamenti),
       file(TimetableName(place), dati_scheda)},
      force);
}

}  // namespace tarvosa::tool
