// The two check codes derived from the scenario's titles.
#pragma once

#include <cstdint>

#include "compiler/compiled_model.h"

namespace tarvosa {

// The sum of the character codes of the first 25 characters of the train
// title, the route title (entries 86 and 85 of the table) and a fixed
// suffix, all in lower case.
std::int16_t codice_gara_og(const ScenarioHeader& header);

// The same characters, each code multiplied by its place (1 to 25).
std::int32_t codice_gara_st(const ScenarioHeader& header);

}  // namespace tarvosa
