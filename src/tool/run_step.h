// What `run` and `documents --times-from-run` share: the train a run is
// made with, from a railjson file or the scenario's own numbers, and the
// run itself.
#pragma once

#include <optional>
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

// The train in `file`, none when `file` is empty: read before anything is
// compiled, so that a file at fault is told first.
Result<std::optional<running::RollingStock>> GivenTrain(Os& os, const std::string& file);

// The given train, else the scenario's own.
Result<running::RollingStock> TrainFor(const std::optional<running::RollingStock>& given,
                                       const CompiledScenario& scenario);

}  // namespace tarvosa::tool
