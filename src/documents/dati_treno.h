// The train data file: the train's general values, adhesion and line-speed
// profiles, stations with the timetable, the slow-down and the signals.
#pragma once

#include "documents/file_names.h"
#include "util/os.h"
#include "util/status.h"

namespace tarvosa {

// Writes the train's data file, Tarvosa_Corvale-.txt.
Status dati_treno(Os& os, const ScenarioPlace& place);

}  // namespace tarvosa
