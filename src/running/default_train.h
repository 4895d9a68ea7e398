// The train a scenario runs when no rolling stock is given: an Italian
// electric locomotive and the train file's coaches, braked as its braked
// weight percentage says. docs/running.md gives the numbers' sources.
#pragma once

#include <cstdint>

#include "running/rolling_stock.h"
#include "util/status.h"

namespace tarvosa::running {

// The locomotive and `coaches` coaches; a data error for a negative count
// or a braked weight percentage that is not above 0.
Result<RollingStock> DefaultTrain(std::int32_t coaches, std::int32_t braked_weight_percent);

// The service deceleration a braked weight percentage gives, m/s².
double BrakingFromBrakedWeight(double percent);

}  // namespace tarvosa::running
