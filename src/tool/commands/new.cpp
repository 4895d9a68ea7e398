// scenario new: a small scenario to start from, with one record of every
// kind, and its notes.
#include <memory>

#include "documents/document.h"
#include "documents/file_names.h"
#include "scenario/skeleton_table.h"
#include "tool/commands/registry.h"
#include "tool/commands/source_options.h"
#include "tool/document_files.h"

namespace tarvosa::tool {
namespace {

struct NewOptions {
  std::string directory;
  std::string route = "Percorso";
  std::string train = "Treno";
  bool force = false;
};

// Writes ROUTE_linea.txt, ROUTE_TRAIN-.txt and ROUTE_TRAIN_note.txt.
Outcome RunNew(const NewOptions& options, Os& os) {
  const ScenarioPlace place{
      .route_title = options.route, .train_title = options.train, .app_path = options.directory};
  const std::string line = LineDefinitionName(place);
  const std::string train = TrainDataName(place);
  const std::string notes = NotesName(place);
  const auto file = [&os](const std::string& name, std::span<const std::string_view> lines) {
    return DocumentFile{
        name, [&os, &name, lines] { return scrivi_documento(os, name, MakeDocumentTable(lines)); }};
  };
  return WriteDocumentFiles(
      os, options.directory,
      {file(line, scenario::kSkeletonLine), file(train, scenario::kSkeletonTrain),
       file(notes, scenario::kSkeletonNotes)},
      options.force);
}

Handler Declare(CLI::App& command, Os&) {
  auto options = std::make_shared<NewOptions>();
  command.add_option("DIR", options->directory, "directory to write into")->required();
  command.add_option("--route", options->route, "route title R (default Percorso)");
  command.add_option("--train", options->train, "train title T (default Treno)");
  command.add_flag("--force", options->force, "replace files that exist already");
  command.footer(kExitStatuses);
  return [options](Context& context) -> Outcome {
    if (Status titles = CheckTitlesSpelled(options->route, options->train); !titles.ok()) {
      return titles;
    }
    if (Status names = CheckScenarioNames({.route_title = options->route,
                                           .train_title = options->train,
                                           .app_path = options->directory});
        !names.ok()) {
      return names;
    }
    return RunNew(*options, context.os);
  };
}

}  // namespace

const Command kNewCommand = {"new",
                             "Write a small scenario to start from into DIR: R_linea.txt, "
                             "R_T-.txt and notes, R_T_note.txt.",
                             Declare};

}  // namespace tarvosa::tool
