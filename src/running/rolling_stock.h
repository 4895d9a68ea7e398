// A train as the running-time calculation sees it: its mass and length, the
// effort its traction gives at each speed, what resists it, and how hard it
// accelerates and brakes at most. SI units throughout: kg, m, m/s, N, m/s².
#pragma once

#include <string>
#include <vector>

#include "util/status.h"

namespace tarvosa::running {

struct RollingStock {
  std::string name;
  double mass = 0.0;    // the whole train, kg
  double length = 0.0;  // m
  double max_speed = 0.0;
  double inertia_coefficient = 1.0;  // the rotating masses, as a share of the mass
  // Davis resistance A + B v + C v².
  double davis_a = 0.0;
  double davis_b = 0.0;
  double davis_c = 0.0;
  // The greatest effort at each speed: increasing speeds from 0, linear
  // between them, the last effort held beyond the last speed.
  std::vector<double> curve_speeds;
  std::vector<double> curve_efforts;
  double comfort_acceleration = 0.0;  // the acceleration's cap; none when 0
  double braking = 0.0;               // the service braking deceleration, constant
};

// The effort at `speed` by the curve.
double EffortAt(const RollingStock& stock, double speed);

// Davis resistance at `speed`.
double ResistanceAt(const RollingStock& stock, double speed);

// A data error naming the member that is missing its sense (a mass that
// is not above 0, a curve whose speeds do not increase, ...) and the value
// found; ok for a train that can run.
Status CheckRollingStock(const RollingStock& stock);

}  // namespace tarvosa::running
