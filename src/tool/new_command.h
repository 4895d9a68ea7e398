// scenario new: a small scenario to start from, with one record of every
// kind.
#pragma once

#include <string>

namespace tarvosa::tool {

// Writes ROUTE_linea.txt and ROUTE_TRAIN-.txt into `directory`; an
// existing file only with `force`.
int RunNew(const std::string& directory, const std::string& route, const std::string& train,
           bool force);

}  // namespace tarvosa::tool
