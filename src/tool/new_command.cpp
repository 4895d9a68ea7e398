#include "tool/new_command.h"

#include "documents/document.h"
#include "documents/file_names.h"
#include "scenario/skeleton_table.h"
#include "tool/document_files.h"

namespace tarvosa::tool {

int RunNew(const std::string& directory, const std::string& route, const std::string& train,
           bool force) {
  const ScenarioPlace place{.route_title = route, .train_title = train, .app_path = directory};
  const std::string line = LineDefinitionName(place);
  const std::string train_file = TrainDataName(place);
  const std::string notes = NotesName(place);
  return WriteDocumentFiles(
      directory,
      {{line, [&] { return scrivi_documento(line, MakeDocumentTable(scenario::kSkeletonLine)); }},
       {train_file,
        [&] { return scrivi_documento(train_file, MakeDocumentTable(scenario::kSkeletonTrain)); }},
       {notes,
        [&] { return scrivi_documento(notes, MakeDocumentTable(scenario::kSkeletonNotes)); }}},
      force);
}

}  // namespace tarvosa::tool
