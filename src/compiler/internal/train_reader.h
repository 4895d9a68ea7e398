// The train half of memorizza_dati: reads the train data file into the
// scenario table and the track cells.
#pragma once

#include <optional>
#include <string_view>

#include "compiler/compiled_model.h"
#include "compiler/diagnostics.h"
#include "compiler/internal/reader_scratch.h"

namespace tarvosa {

// Reads the train data file `bytes` (nothing when there is no such file)
// after the line half. Data faults, a read the file cannot satisfy (25)
// among them, are recorded in `diagnostics`.
void ReadTrainFile(std::optional<std::string_view> bytes, CompiledScenario& out,
                   ReaderScratch& scratch, Diagnostics& diagnostics);

}  // namespace tarvosa
