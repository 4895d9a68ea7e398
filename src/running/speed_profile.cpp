#include "running/speed_profile.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace tarvosa::running {
namespace {

constexpr double kGravity = 9.81;

// The highest speed at a point between two steps, where the train does not
// stand: the lower of their limits. (The first and the last point are
// stands.)
double PointLimit(const Steps& steps, std::size_t i) {
  return std::min(steps.limit[i - 1], steps.limit[i]);
}

// v² after `metres` from v0² under full effort, by Heun's method on v²
// (d v² / ds = 2 a).
double Accelerated(const RollingStock& stock, double v0_squared, double metres, double gradient) {
  const double first = 2.0 * Acceleration(stock, std::sqrt(v0_squared), gradient);
  const double guess = std::max(0.0, v0_squared + metres * first);
  const double second = 2.0 * Acceleration(stock, std::sqrt(guess), gradient);
  return v0_squared + metres * (first + second) / 2.0;
}

Status Stalls(double metres, double gradient) {
  std::ostringstream text;
  text << "the train stalls at " << std::lround(metres) << " m: its effort cannot move it on a "
       << "gradient of " << gradient << " per mille";
  return Status::DataError(text.str());
}

}  // namespace

double Acceleration(const RollingStock& stock, double speed, double gradient) {
  const double force = EffortAt(stock, speed) - ResistanceAt(stock, speed) -
                       stock.mass * kGravity * gradient / 1000.0;
  const double a = force / (stock.mass * stock.inertia_coefficient);
  return stock.comfort_acceleration > 0 ? std::min(a, stock.comfort_acceleration) : a;
}

std::vector<double> BrakingCeiling(const Steps& steps, const RollingStock& stock) {
  const std::size_t n = steps.metres.size();
  std::vector<double> ceiling(n, 0.0);
  double squared = 0.0;  // v², from the last point back, braking towards each stand and lower limit
  for (std::size_t i = n; i-- > 0;) {
    if (steps.stands[i]) {
      squared = 0.0;
    } else {
      const double limit = PointLimit(steps, i);
      const double step = steps.metres[i + 1] - steps.metres[i];
      squared = std::min(squared + 2.0 * stock.braking * step, limit * limit);
    }
    ceiling[i] = std::sqrt(squared);
  }
  return ceiling;
}

Result<std::vector<double>> FastestSpeeds(const Steps& steps, const RollingStock& stock) {
  const std::size_t n = steps.metres.size();
  std::vector<double> forward(n, 0.0);  // v², accelerating from each stand
  for (std::size_t i = 0; i + 1 < n; ++i) {
    if (steps.stands[i + 1]) continue;
    const double step = steps.metres[i + 1] - steps.metres[i];
    const double reached = Accelerated(stock, forward[i], step, steps.gradient[i]);
    if (reached <= 0) return Stalls(steps.metres[i], steps.gradient[i]);
    const double limit = PointLimit(steps, i + 1);
    forward[i + 1] = std::min(reached, limit * limit);
  }
  std::vector<double> speeds = BrakingCeiling(steps, stock);
  for (std::size_t i = 0; i < n; ++i) speeds[i] = std::min(std::sqrt(forward[i]), speeds[i]);
  return speeds;
}

std::vector<double> SecondsAt(const Steps& steps, const std::vector<double>& speeds) {
  std::vector<double> seconds(speeds.size(), 0.0);
  for (std::size_t i = 1; i < speeds.size(); ++i) {
    const double mean = (speeds[i - 1] + speeds[i]) / 2.0;
    const double step = steps.metres[i] - steps.metres[i - 1];
    seconds[i] = seconds[i - 1] + (mean > 0 ? step / mean : 0.0);
  }
  return seconds;
}

}  // namespace tarvosa::running
