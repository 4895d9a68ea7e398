// scenario documents: the timetable sheet and slow-down order a scenario's
// line and train files give, for an author to start from or ship as they
// are.
#include <memory>

#include "documents/generated_slow_down_order.h"
#include "documents/generated_timetable.h"
#include "tool/commands/registry.h"
#include "tool/commands/source_options.h"
#include "tool/document_files.h"
#include "tool/terminal.h"

namespace tarvosa::tool {
namespace {

struct DocumentsOptions {
  CompileOptions compile;
  bool force = false;
};

// Compiles LINE and TRAIN, refusing a scenario that does not compile
// cleanly, and writes R_T_rallentamenti.txt and R_T_scheda_treno.txt.
Outcome RunDocuments(const DocumentsOptions& options, Context& context) {
  const CompileOptions& compile = options.compile;
  const auto sources = ReadSources(context.os, compile);
  if (!sources.ok()) return sources.status();
  const auto compiled = CompileCleanly(compile, *sources, "nothing written", context.err);
  if (!compiled.ok()) return compiled.status();
  const RouteFacts facts = FactsOf(compiled->scenario);
  const DocumentLines order = GenerateSlowDownOrder(facts, compile.train_title);
  const DocumentLines timetable = GenerateTimetable(facts, compile.train_title);
  const ScenarioPlace place{.route_title = compile.route_title,
                            .train_title = compile.train_title,
                            .app_path = compile.output};
  const auto file = [&](DocumentKind kind, const DocumentLines& lines) {
    return DocumentFile{DocumentName(kind, place), [&context, &place, kind, &lines] {
                          return WriteScenarioDocument(context.os, place, kind, lines);
                        }};
  };
  const std::vector<DocumentFile> files = {file(DocumentKind::kSlowDownOrder, order),
                                           file(DocumentKind::kTimetable, timetable)};
  if (Status written = WriteDocumentFiles(context.os, compile.output, files, options.force);
      !written.ok()) {
    return written;
  }
  Tell(context.out, "wrote " + files[0].name + " and " + files[1].name + '\n');
  return Status();
}

Handler Declare(CLI::App& command, Os& os) {
  auto options = std::make_shared<DocumentsOptions>();
  AddSourceOptions(command, os, options->compile);
  command.add_option("-o", options->compile.output, "directory to write into (default .)");
  command.add_flag("--force", options->force, "replace files that exist already");
  command.footer(kExitStatuses);
  return [options](Context& context) -> Outcome {
    if (Status titles = SettleTitlesAndNames(options->compile); !titles.ok()) return titles;
    return RunDocuments(*options, context);
  };
}

}  // namespace

const Command kDocumentsCommand = {
    "documents",
    "Make the timetable sheet and slow-down order of LINE and TRAIN from their data: "
    "R_T_scheda_treno.txt and R_T_rallentamenti.txt.",
    Declare};

}  // namespace tarvosa::tool
