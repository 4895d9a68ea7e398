// scenario export: the embedded scenario's five documents, a complete
// example to start from.
#pragma once

#include <string>

namespace tarvosa::tool {

// Writes them into `directory`; an existing file only with `force`.
int RunExport(const std::string& directory, bool force);

}  // namespace tarvosa::tool
