// What `run` and `documents --times-from-run` share: the train a run is
// made with, from a railjson file or the scenario's own numbers, and the
// run itself.
#pragma once

#include <string>

#include "compiler/compiled_model.h"
#include "running/running_time.h"
#include "util/os.h"
#include "util/status.h"

namespace tarvosa::tool {

// The rolling stock in `file` on `os` (a file-system error when it cannot
// be read, a data error naming the member at fault).
Result<running::RollingStock> ReadRollingStock(Os& os, const std::string& file);

// The default train of the scenario: its table's coaches and braked weight.
Result<running::RollingStock> ScenarioTrain(const CompiledScenario& scenario);

// The file's train when `file` is not empty, else the scenario's.
Result<running::RollingStock> TrainFor(Os& os, const std::string& file,
                                       const CompiledScenario& scenario);

}  // namespace tarvosa::tool
