// The written slow-down order handed to the driver before departure.
#pragma once

#include "documents/file_names.h"
#include "util/os.h"
#include "util/status.h"

namespace tarvosa {

// Writes the slow-down order, Tarvosa_Corvale_rallentamenti.txt.
Status dati_rallentamenti(Os& os, const ScenarioPlace& place);

}  // namespace tarvosa
