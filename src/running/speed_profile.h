// The fastest speeds over a line cut into short steps, the library's own:
// a forward pass that accelerates as hard as the train's effort allows, a
// backward pass that brakes as late as its deceleration allows, and at each
// point the lower of the two and the limit.
#pragma once

#include <vector>

#include "running/rolling_stock.h"
#include "util/status.h"

namespace tarvosa::running {

// Points along the line and the steps between them.
struct Steps {
  std::vector<double> metres;    // increasing
  std::vector<bool> stands;      // the train stands at the point
  std::vector<double> limit;     // the limit over step i, from point i to i + 1, m/s
  std::vector<double> gradient;  // per mille over step i
};

// The acceleration of `stock` at `speed` on `gradient` ‰ under full effort:
// Newton's law with the rotating masses, never above the comfort cap.
double Acceleration(const RollingStock& stock, double speed, double gradient);

// The highest speed at every point from which the train can still keep
// every limit and stop ahead by braking, m/s: the limits with the braking
// curves down to each lower one and to each stand.
std::vector<double> BrakingCeiling(const Steps& steps, const RollingStock& stock);

// The speed at every point, m/s: full effort under the braking ceiling. A
// data error when the train cannot move on from a point where it does not
// stand.
Result<std::vector<double>> FastestSpeeds(const Steps& steps, const RollingStock& stock);

// The seconds from the first point to each point at `speeds`, each step run
// at a constant acceleration between its ends' speeds.
std::vector<double> SecondsAt(const Steps& steps, const std::vector<double>& speeds);

}  // namespace tarvosa::running
