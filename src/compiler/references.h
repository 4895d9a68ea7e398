// The line's three kilometre references, put in their fixed order.
#pragma once

#include "compiler/compiled_model.h"
#include "util/status.h"

namespace tarvosa {

// Puts the three kilometre references (entries 81 "tre", 82 "due", 83
// "uno") in their fixed order, and adds 100 to the end of each whose
// position is 1. A data error when that end does not fit 32 bits; the
// entries are then partly rewritten.
Status progressive_ordina(ScenarioHeader& header);

}  // namespace tarvosa
