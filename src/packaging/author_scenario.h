// An author's scenario in a directory, as a package is made of it: a line
// definition file R_linea.txt, a train data file R_T-.txt, and the
// documents named after R and T beside them.
#pragma once

#include <optional>
#include <string>

#include "documents/scenario_documents.h"
#include "util/os.h"
#include "util/status.h"

namespace tarvosa::packaging {

struct AuthorFiles {
  std::string route_title;  // R and T, from the names
  std::string train_title;
  ScenarioPlace place{};  // the directory and the titles: every document's name
};

// The one pair of a line definition and a train data file in `directory`
// on `os`: R_linea.txt and R_T-.txt, with any T. None is a file-system
// error, more than one a usage error.
Result<AuthorFiles> FindAuthorScenario(Os& os, const std::string& directory);

// A data error, named after the line definition file, when a title cannot
// name files on every system or has no Windows-1252 spelling.
Status CheckTitles(const AuthorFiles& files);

// The document `kind` of the scenario as lines; nothing when its file is
// not there. A file that cannot be read is a file-system error; one that
// holds a byte with no Windows-1252 character or more than a document
// holds, a data error that names it.
Result<std::optional<DocumentLines>> ReadAuthorDocument(Os& os, const AuthorFiles& files,
                                                        DocumentKind kind);

// Every document of the scenario as the author wrote it, in writing order;
// the first that cannot be read is the failure.
Result<ScenarioDocuments> ReadAuthorDocuments(Os& os, const AuthorFiles& files);

}  // namespace tarvosa::packaging
