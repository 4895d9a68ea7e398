// Checks of a scenario as a railway rather than as a file: timetables that
// run backwards, trains faster than their line, boards that announce
// another speed than the line's, curves and grades no train takes at that
// speed, records written twice. Warnings only, each at the field it
// concerns; nothing compiled changes.
#pragma once

#include "compiler/compile.h"
#include "compiler/diagnostics.h"
#include "compiler/internal/source_records.h"

namespace tarvosa {

// Runs every railway check over the records as read from `input`'s files.
void CheckRailway(const SourceRecords& records, const CompileInput& input, Diagnostics& d);

}  // namespace tarvosa
