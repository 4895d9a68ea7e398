// scenario export: the installer's five documents, for a starting point.
#pragma once

#include <string>

namespace tarvosa::tool {

// Writes the embedded scenario's five documents into `directory`.
int RunExport(const std::string& directory);

}  // namespace tarvosa::tool
