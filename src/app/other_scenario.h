// Whether the compiled files under this scenario's names are another
// scenario's: two scenarios whose names meet (route Val_Verde and train
// Espresso, route Val and train Verde_Espresso) would replace each other's.
#pragma once

#include "documents/file_names.h"
#include "util/os.h"
#include "util/status.h"

namespace tarvosa {

// A file-system failure that names the scenario table or track cells under
// `place`'s names when another scenario wrote it: the table's titles are
// not these titles, or the track's check code is not theirs. Ok when the
// file is missing, is no compiled file at all, or is this scenario's (a
// reinstall); a file that cannot be opened or read whole counts as no
// compiled file, and its replacing says what fails there. Only the table's
// entry heads and titles and the track's first two cells are read. The
// line plan, which every train of a route shares, is not looked at.
Status CheckNoOtherScenario(Os& os, const ScenarioPlace& place);

}  // namespace tarvosa
