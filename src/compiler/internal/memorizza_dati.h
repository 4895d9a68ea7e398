// Reading the scenario's two text files into the compiled scenario.
#pragma once

#include <cstdint>

#include "compiler/compile.h"
#include "compiler/compiled_model.h"
#include "compiler/diagnostics.h"
#include "compiler/internal/source_records.h"

namespace tarvosa {

// Copies the titles into the scenario table, reads the line definition
// file, then, when it was read to its end or to a feature beyond the track,
// the train data file. A fault in the data is recorded in `diagnostics`; a
// read a file cannot satisfy records 25. Every record read is added to
// `records` when it is given. Returns how many records the train data file
// gave.
std::int32_t memorizza_dati(const CompileInput& input, CompiledScenario& out,
                            Diagnostics& diagnostics, SourceRecords* records = nullptr);

}  // namespace tarvosa
