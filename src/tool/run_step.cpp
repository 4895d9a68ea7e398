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

Result<std::optional<running::RollingStock>> GivenTrain(Os& os, const std::string& file) {
  if (file.empty()) return std::optional<running::RollingStock>();
  auto stock = ReadRollingStock(os, file);
  if (!stock.ok()) return stock.status();
  return std::optional<running::RollingStock>(std::move(*stock));
}

Result<running::RollingStock> TrainFor(const std::optional<running::RollingStock>& given,
                                       const CompiledScenario& scenario) {
  return given ? Result<running::RollingStock>(*given) : ScenarioTrain(scenario);
}

}  // namespace tarvosa::tool
