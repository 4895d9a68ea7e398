// A scenario as its author wrote it and a packaged installer carries it:
// the titles and the lines of its documents.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "documents/file_names.h"
#include "documents/scenario_names.h"
#include "util/os.h"
#include "util/status.h"

namespace tarvosa {

enum class DocumentKind : std::uint8_t {
  kLineDefinition,
  kTrainData,
  kNotes,
  kSlowDownOrder,
  kTimetable,
};
inline constexpr std::size_t kDocumentKinds = 5;

// The order a run writes them in: line, train, notes, slow-down order,
// timetable sheet.
inline constexpr std::array<DocumentKind, kDocumentKinds> kWritingOrder = {
    DocumentKind::kLineDefinition, DocumentKind::kTrainData, DocumentKind::kNotes,
    DocumentKind::kSlowDownOrder, DocumentKind::kTimetable};

// The name of the document's file in `place`: Lago_linea.txt, Lago_Espresso-.txt ...
std::string DocumentName(DocumentKind kind, const ScenarioPlace& place);

// Whether the compiler reads the document back: the line definition and
// train data files, which every scenario has and no installed one keeps.
constexpr bool IsCompilerInput(DocumentKind kind) {
  return kind == DocumentKind::kLineDefinition || kind == DocumentKind::kTrainData;
}

// What the document is called in messages: "line definition file" ...
std::string_view DocumentTitle(DocumentKind kind);

// A document's lines in UTF-8, without their line ends.
using DocumentLines = std::vector<std::string>;

struct ScenarioDocuments {
  std::string route_title;  // UTF-8, as the file names are
  std::string train_title;
  // By DocumentKind. The line definition and train data files are always
  // there; the notes, slow-down order and timetable sheet may be missing.
  std::array<std::optional<DocumentLines>, kDocumentKinds> documents{};

  std::optional<DocumentLines>& operator[](DocumentKind kind) {
    return documents[static_cast<std::size_t>(kind)];
  }
  const std::optional<DocumentLines>& operator[](DocumentKind kind) const {
    return documents[static_cast<std::size_t>(kind)];
  }
};

// A data error that says why `lines` cannot be written as a document, or
// ok: more lines than a document table holds, a line that is its end
// marker (the document would end there), or a line the writer cannot
// encode (EncodeDocumentLine). The reason alone, with the line, and the
// column where there is one.
Status DocumentProblem(const DocumentLines& lines);

// A data error that says why the scenario cannot be installed as it
// stands, or ok: a title or a document problem, or no line definition or
// train data file.
Status ScenarioProblem(const ScenarioDocuments& scenario);

// Writes the document with scrivi_documento under its name in `place`.
Status WriteScenarioDocument(Os& os, const ScenarioPlace& place, DocumentKind kind,
                             const DocumentLines& lines);

}  // namespace tarvosa
