#include "tool/run_step.h"

#include "compiler/stored_views.h"
#include "running/default_train.h"
#include "running/railjson.h"
#include "tool/inputs/compiled_input.h"

namespace tarvosa::tool {

Result<running::RollingStock> ReadRollingStock(Os& os, const std::string& file) {
  const Result<std::string> text = ReadInput(os, file);
  if (!text.ok()) return text.status();
  return running::ReadRailjson(file, *text);
}

Result<running::RollingStock> ScenarioTrain(const CompiledScenario& scenario) {
  const NumbersEntry numbers(scenario.header[kNumbersEntry]);
  return running::DefaultTrain(numbers.coaches, numbers.braked_weight_percent);
}

Result<running::RollingStock> TrainFor(Os& os, const std::string& file,
                                       const CompiledScenario& scenario) {
  return file.empty() ? ScenarioTrain(scenario) : ReadRollingStock(os, file);
}

}  // namespace tarvosa::tool
