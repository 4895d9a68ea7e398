// The names a scenario gives its files in a directory, held to one rule:
// each names a file on every system, and no two name the same file, where
// case does not count either, as on Windows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "documents/file_names.h"
#include "util/status.h"

namespace tarvosa {

// The longest title a scenario may have, in bytes.
inline constexpr std::size_t kLongestTitle = 100;

// A data error that says why `title` cannot name a scenario's files, or ok:
// it is empty or longer than kLongestTitle, holds a character that some
// system refuses in a file name (a control character or one of
// / \ : * ? " < > |), is a name Windows keeps for a device (CON, NUL.x ...)
// or holds a character without a Windows-1252 byte. The message is the
// reason alone, for the caller to say whose title it is.
Status TitleProblem(std::string_view title);

// A file name of the scenario's, without its directory, and what it is
// ("line plan", "program" ...).
struct ScenarioName {
  std::string name;
  std::string_view what;
  bool written = false;  // replaced whole, through a temporary file beside it
};

// The eight files a run writes, in writing order, then the directory's
// lock and, when `place` names one, the program.
std::vector<ScenarioName> ScenarioNames(const ScenarioPlace& place);

// A data error when the scenario in `place` cannot have its files there as
// they stand, or ok: a title problem (naming the title), a name or a
// temporary name of one that is not portable (PortableNameProblem, naming
// it), two names that are one file (naming both), or a name that is a
// temporary name of another's, which a run would take for its own and
// remove.
Status ScenarioNamesProblem(const ScenarioPlace& place);

}  // namespace tarvosa
