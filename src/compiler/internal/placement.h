// The automatic braking points: in front of signals before a slow-down
// warning board, and around every slow-down zone.
#pragma once

#include <vector>

#include "compiler/compiled_model.h"
#include "compiler/diagnostics.h"

namespace tarvosa {

// Walks cells 1 to U - 2 once, placing points (kind 12, value 180). Cells
// outside the track count as occupied, as no signal and as no zone end.
// Failures are recorded (11, 12, 13; 15 for a zone without an end) at the
// record of the signal or slow-down concerned, and the walk goes on.
void PlaceBrakingPoints(std::vector<TrackCell>& cells, Diagnostics& diagnostics);

}  // namespace tarvosa
