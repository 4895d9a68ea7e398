#include "tool/documents_command.h"

#include <cstdio>

#include "documents/generated_slow_down_order.h"
#include "documents/generated_timetable.h"
#include "tool/clean_compile.h"
#include "tool/document_files.h"

namespace tarvosa::tool {

std::pair<DocumentLines, DocumentLines> GeneratedDocuments(const Compilation& compilation,
                                                           const std::string& train_title) {
  const RouteFacts facts = FactsOf(compilation.scenario);
  return {GenerateSlowDownOrder(facts, train_title), GenerateTimetable(facts, train_title)};
}

int RunDocuments(const CompileOptions& options, bool force) {
  Sources sources;
  if (const Status read = ReadSources(options, sources); !read.ok()) {
    std::fprintf(stderr, "%s\n", read.message().c_str());
    return kFileSystem;
  }
  Compilation compilation;
  if (const int status = CompileCleanly(options, sources, "nothing written", compilation)) {
    return status;
  }
  const auto [order, timetable] = GeneratedDocuments(compilation, options.train_title);
  const ScenarioPlace place{.route_title = options.route_title,
                            .train_title = options.train_title,
                            .app_path = options.output};
  const auto file = [&](DocumentKind kind, const DocumentLines& lines) {
    return DocumentFile{DocumentName(kind, place), [&place, kind, &lines] {
                          return WriteScenarioDocument(place, kind, lines);
                        }};
  };
  const std::vector<DocumentFile> files = {file(DocumentKind::kSlowDownOrder, order),
                                           file(DocumentKind::kTimetable, timetable)};
  const int status = WriteDocumentFiles(options.output, files, force);
  if (status == kClean) {
    std::printf("wrote %s and %s\n", files[0].name.c_str(), files[1].name.c_str());
  }
  return status;
}

}  // namespace tarvosa::tool
