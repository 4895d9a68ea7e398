// The general part of the line definition file: from its "[generale]" line
// to the next section header, the line's length and its settings in any
// order.
#pragma once

#include "compiler/internal/record_reader.h"

namespace tarvosa {

// Reads the general part; the length sizes the track cells and, with
// `plan`, the plan of the line. False when it recorded an error that stops
// the line half (102, 1, 3, 4 or 5).
bool ReadGeneralPart(RecordReader& reader, bool plan);

}  // namespace tarvosa
