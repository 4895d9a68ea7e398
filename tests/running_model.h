// A simple model of the train that runs the scenario, to tell whether a
// driver can do what the documents ask: an Intercity of about 600 t that
// accelerates at 0.4 m/s² and brakes at 0.7 m/s² (a passenger train braked
// at 130 %), whatever its speed and the gradient, and never runs faster
// than the limit in force at its head. A limit holds from the progressive
// its record gives; a slow-down holds over its length and the train's, as
// the last coach must clear it too.
#pragma once

#include <vector>

#include "driver_documents.h"

namespace tarvosa::testing {

struct TrainModel {
  double acceleration = 0.4;  // m/s²
  double braking = 0.7;       // m/s²
  Metres length = 335;        // twelve coaches of 26.4 m and the locomotive
};
inline constexpr TrainModel kIntercity{};

// The metres in which the train brakes from one speed to a lower one, in
// km/h: (v1² - v2²) / 2b.
double BrakingDistance(int from_kmh, int to_kmh, const TrainModel& model = kIntercity);

// The limit in force at the head of the train, metre by metre.
class SpeedLimits {
 public:
  explicit SpeedLimits(const TrainFile& train, const TrainModel& model = kIntercity);
  // The line speed the train file gives from `x` on, in km/h.
  int LineSpeedAt(Metres x) const;
  // The highest speed at `x` with the slow-downs, in m/s.
  double MetresPerSecondAt(Metres x) const;

 private:
  std::vector<SpeedLimit> limits_;
  std::vector<SlowDown> slow_downs_;
  Metres length_;
};

// The fastest run of the head of the train from a stand at `from` to a stand
// at `to`: as hard as it may accelerate, as late as it may brake.
class FastestRun {
 public:
  FastestRun(const SpeedLimits& limits, Metres from, Metres to,
             const TrainModel& model = kIntercity);
  // The seconds from the start until the head passes `x`.
  double SecondsTo(Metres x) const;

 private:
  Metres from_;
  std::vector<double> seconds_;  // one a metre
};

}  // namespace tarvosa::testing
