#include "running_model.h"

#include <algorithm>
#include <cmath>

namespace tarvosa::testing {
namespace {

double MetresPerSecond(double kmh) {
  return kmh / 3.6;
}

// Speeds metre by metre from a stand at one end, never above `limit`: each
// step adds at most 2 a metres to v² (v² = v0² + 2 a s).
std::vector<double> Envelope(const std::vector<double>& limit, double a) {
  std::vector<double> v(limit.size(), 0.0);
  for (std::size_t i = 1; i < v.size(); ++i) {
    v[i] = std::min(limit[i], std::sqrt(v[i - 1] * v[i - 1] + 2 * a));
  }
  return v;
}

}  // namespace

double BrakingDistance(int from_kmh, int to_kmh, const TrainModel& model) {
  const double v1 = MetresPerSecond(from_kmh), v2 = MetresPerSecond(to_kmh);
  return (v1 * v1 - v2 * v2) / (2 * model.braking);
}

SpeedLimits::SpeedLimits(const TrainFile& train, const TrainModel& model)
    : limits_(train.limits), slow_downs_(train.slow_downs), length_(model.length) {}

int SpeedLimits::LineSpeedAt(Metres x) const {
  int kmh = 0;
  for (const SpeedLimit& limit : limits_) {
    if (limit.from <= x) kmh = limit.kmh;
  }
  return kmh;
}

double SpeedLimits::MetresPerSecondAt(Metres x) const {
  int kmh = LineSpeedAt(x);
  for (const SlowDown& s : slow_downs_) {
    if (x >= s.from && x < s.from + s.length + length_) kmh = std::min(kmh, s.kmh);
  }
  return MetresPerSecond(kmh);
}

// The speed at each metre is the lower of the two envelopes, accelerating
// from the start and braking towards the end; with a constant acceleration
// between two metres the mean speed over the metre is the mean of its ends.
FastestRun::FastestRun(const SpeedLimits& limits, Metres from, Metres to, const TrainModel& model)
    : from_(from) {
  std::vector<double> limit(static_cast<std::size_t>(to - from + 1));
  for (std::size_t i = 0; i < limit.size(); ++i) {
    limit[i] = limits.MetresPerSecondAt(from + static_cast<Metres>(i));
  }
  const auto rising = Envelope(limit, model.acceleration);
  std::vector<double> reversed(limit.rbegin(), limit.rend());
  auto falling = Envelope(reversed, model.braking);
  std::reverse(falling.begin(), falling.end());
  seconds_.assign(limit.size(), 0.0);
  double previous = 0.0;
  for (std::size_t i = 1; i < limit.size(); ++i) {
    const double v = std::min(rising[i], falling[i]);
    seconds_[i] = seconds_[i - 1] + 2.0 / (previous + v);
    previous = v;
  }
}

double FastestRun::SecondsTo(Metres x) const {
  return seconds_.at(static_cast<std::size_t>(x - from_));
}

}  // namespace tarvosa::testing
