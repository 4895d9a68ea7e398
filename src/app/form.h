// The state of the program's one window that every step of a run shares:
// the titles and the directory its files are named after.
#pragma once

#include "documents/file_names.h"

namespace tarvosa {

using Form1 = ScenarioPlace;

}  // namespace tarvosa
