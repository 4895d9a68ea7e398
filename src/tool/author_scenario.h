// An author's scenario in a directory, as `scenario package` finds it: a
// line definition file R_linea.txt, a train data file R_T-.txt, and the
// documents named after R and T beside them.
#pragma once

#include <optional>
#include <string>

#include "documents/scenario_documents.h"
#include "tool/compiled_input.h"

namespace tarvosa::tool {

struct AuthorFiles {
  std::string route_title;  // R and T, from the names
  std::string train_title;
  ScenarioPlace place{};  // the directory and the titles: every document's name
};

// The one pair of a line definition and a train data file in `directory`:
// R_linea.txt and R_T-.txt, with any T. None is a problem of status 1, more
// than one of status 4.
std::optional<AuthorFiles> FindAuthorScenario(const std::string& directory, InputProblem& problem);

// The lines of the document `name` whose bytes are `bytes`; nothing, with
// a problem of status 2 that names it, when it holds a byte with no
// Windows-1252 character or more than a document holds.
std::optional<DocumentLines> AuthorLines(const std::string& name, std::string_view bytes,
                                         InputProblem& problem);

// The document `kind` of the scenario as lines; nothing, with the problem's
// status left 0, when its file is not there. A file that cannot be read
// (status 1), or that holds a byte with no Windows-1252 character or more
// than a document holds (status 2), is a problem that names it.
std::optional<DocumentLines> ReadAuthorDocument(const AuthorFiles& files, DocumentKind kind,
                                                InputProblem& problem);

}  // namespace tarvosa::tool
