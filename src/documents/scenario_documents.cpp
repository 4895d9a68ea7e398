#include "documents/scenario_documents.h"

#include "documents/document.h"
#include "util/windows1252.h"

namespace tarvosa {

std::string DocumentName(DocumentKind kind, const ScenarioPlace& place) {
  switch (kind) {
    case DocumentKind::kLineDefinition:
      return LineDefinitionName(place);
    case DocumentKind::kTrainData:
      return TrainDataName(place);
    case DocumentKind::kNotes:
      return NotesName(place);
    case DocumentKind::kSlowDownOrder:
      return SlowDownOrderName(place);
    case DocumentKind::kTimetable:
      break;
  }
  return TimetableName(place);
}

std::string_view DocumentTitle(DocumentKind kind) {
  switch (kind) {
    case DocumentKind::kLineDefinition:
      return "line definition file";
    case DocumentKind::kTrainData:
      return "train data file";
    case DocumentKind::kNotes:
      return "notes";
    case DocumentKind::kSlowDownOrder:
      return "slow-down order";
    case DocumentKind::kTimetable:
      break;
  }
  return "timetable sheet";
}

Status DocumentProblem(const DocumentLines& lines) {
  const std::size_t most = kDocumentTableSize - 1;
  if (lines.size() > most) {
    return Status::DataError(std::to_string(lines.size()) + " lines: a document holds at most " +
                             std::to_string(most));
  }
  std::string bytes;
  for (std::size_t index = 0; index < lines.size(); ++index) {
    const std::string line = "line " + std::to_string(index + 1);
    if (lines[index] == kEndMarker) {
      return Status::DataError(line + " is '" + std::string(kEndMarker) +
                               "', which ends a document where it stands");
    }
    // Encoded as the writer will encode it, so that the writing cannot fail
    // on it halfway through a run.
    bytes.clear();
    if (Status encoded = EncodeDocumentLine(lines[index], bytes); !encoded.ok()) {
      return Status::DataError(line + ", column " + encoded.message());
    }
  }
  return Status();
}

Status ScenarioProblem(const ScenarioDocuments& scenario) {
  for (const auto* title : {&scenario.route_title, &scenario.train_title}) {
    if (Status problem = TitleProblem(*title); !problem.ok()) {
      return Status::DataError((title == &scenario.route_title ? "route: " : "train: ") +
                               problem.message());
    }
  }
  for (const DocumentKind kind : kWritingOrder) {
    const auto& lines = scenario[kind];
    if (!lines && IsCompilerInput(kind)) {
      return Status::DataError("there is no " + std::string(DocumentTitle(kind)));
    }
    if (!lines) continue;
    if (Status problem = DocumentProblem(*lines); !problem.ok()) {
      return Status::DataError(std::string(DocumentTitle(kind)) + ": " + problem.message());
    }
  }
  return Status();
}

Status WriteScenarioDocument(Os& os, const ScenarioPlace& place, DocumentKind kind,
                             const DocumentLines& lines) {
  const std::string name = DocumentName(kind, place);
  // A table would cut such a document short without a word.
  if (Status problem = DocumentProblem(lines); !problem.ok()) {
    return Status::DataError(name + ": " + problem.message());
  }
  const std::vector<std::string_view> views(lines.begin(), lines.end());
  return scrivi_documento(os, name, MakeDocumentTable(views));
}

}  // namespace tarvosa
