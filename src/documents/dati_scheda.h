// The timetable sheet the driver carries: the train box, the stations with their times,
// the periodicity, and the line speeds of the three stretches of the route.
#pragma once

#include "documents/file_names.h"
#include "util/os.h"
#include "util/status.h"

namespace tarvosa {

// Writes the timetable sheet, Tarvosa_Corvale_scheda_treno.txt.
Status dati_scheda(Os& os, const ScenarioPlace& place);

}  // namespace tarvosa
