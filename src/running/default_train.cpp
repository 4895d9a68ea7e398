#include "running/default_train.h"

#include <algorithm>
#include <cmath>

namespace tarvosa::running {
namespace {

constexpr double kGravity = 9.81;

// An E.402B electric locomotive.
constexpr double kLocomotiveMass = 89.0e3;     // kg
constexpr double kLocomotiveLength = 19.84;    // m
constexpr double kLocomotivePower = 5.6e6;     // W, its continuous rating
constexpr double kLocomotiveTopSpeed = 200.0;  // km/h
// A UIC-Z1 coach with its passengers.
constexpr double kCoachMass = 48.0e3;  // kg
constexpr double kCoachLength = 26.4;  // m
// Rotating masses of a locomotive-hauled passenger train.
constexpr double kInertia = 1.06;
// Strahl's resistance of a passenger train, in N per kN of its weight:
// 2.5 + k (V / 10)², V in km/h.
constexpr double kStrahlConstant = 2.5;
constexpr double kStrahlPassenger = 0.033;
// The effort curve's points, every 10 km/h up to the top speed.
constexpr double kCurveStepKmh = 10.0;

double Kmh(double metres_per_second) {
  return metres_per_second * 3.6;
}

// Curtius and Kniffler's adhesion at V km/h: 0.161 + 7.5 / (V + 44).
double Adhesion(double kmh) {
  return 0.161 + 7.5 / (kmh + 44.0);
}

// The locomotive's effort: what adhesion allows, and above that what its
// power gives.
void EffortCurve(RollingStock& stock) {
  for (double kmh = 0; kmh <= kLocomotiveTopSpeed; kmh += kCurveStepKmh) {
    const double v = kmh / 3.6;
    const double grip = Adhesion(kmh) * kLocomotiveMass * kGravity;
    stock.curve_speeds.push_back(v);
    // At a stand P / v is infinite: adhesion alone limits the effort.
    stock.curve_efforts.push_back(std::min(grip, kLocomotivePower / v));
  }
}

}  // namespace

// Minden's braking distance, s = 3.85 V² / (6.1 (1 + λ / 10)) metres from V
// km/h on level track, as a constant deceleration v² / 2s.
double BrakingFromBrakedWeight(double percent) {
  const double distance_per_kmh2 = 3.85 / (6.1 * (1.0 + percent / 10.0));
  return 1.0 / (2.0 * distance_per_kmh2 * 3.6 * 3.6);
}

Result<RollingStock> DefaultTrain(std::int32_t coaches, std::int32_t braked_weight_percent) {
  if (coaches < 0) {
    return Status::DataError("the train's numero vetture must be 0 or more, found " +
                             std::to_string(coaches));
  }
  if (braked_weight_percent <= 0) {
    return Status::DataError("the train's percentuale massa frenata must be above 0, found " +
                             std::to_string(braked_weight_percent));
  }
  RollingStock stock;
  stock.name = "E.402B and " + std::to_string(coaches) + " coaches";
  stock.mass = kLocomotiveMass + coaches * kCoachMass;
  stock.length = kLocomotiveLength + coaches * kCoachLength;
  stock.max_speed = kLocomotiveTopSpeed / 3.6;
  stock.inertia_coefficient = kInertia;
  const double weight_kn = stock.mass * kGravity / 1000.0;
  stock.davis_a = kStrahlConstant * weight_kn;
  stock.davis_c = kStrahlPassenger * std::pow(Kmh(1.0) / 10.0, 2) * weight_kn;
  EffortCurve(stock);
  stock.braking = BrakingFromBrakedWeight(braked_weight_percent);
  return stock;
}

}  // namespace tarvosa::running
