// scenario new: a small scenario to start from, with one record of every
// kind, and its notes.
#pragma once

#include <string>

namespace tarvosa::tool {

// Writes ROUTE_linea.txt, ROUTE_TRAIN-.txt and ROUTE_TRAIN_note.txt into
// `directory`; an existing file only with `force`.
int RunNew(const std::string& directory, const std::string& route, const std::string& train,
           bool force);

}  // namespace tarvosa::tool
