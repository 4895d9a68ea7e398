#include "running/rolling_stock.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace tarvosa::running {
namespace {

std::string Number(double value) {
  std::ostringstream text;
  text << value;
  return text.str();
}

Status OutOfRange(const std::string& member, const std::string& rule, double found) {
  return Status::DataError(member + " must be " + rule + ", found " + Number(found));
}

// The members that must be above 0, and those that may be 0 but not less.
Status CheckScalars(const RollingStock& stock) {
  const std::pair<const char*, double> positive[] = {
      {"mass", stock.mass},
      {"length", stock.length},
      {"max_speed", stock.max_speed},
      {"the braking deceleration (const_gamma, or gamma's value)", stock.braking}};
  for (const auto& [member, value] : positive) {
    if (!(value > 0) || !std::isfinite(value)) return OutOfRange(member, "above 0", value);
  }
  if (!(stock.inertia_coefficient >= 1) || !std::isfinite(stock.inertia_coefficient)) {
    return OutOfRange("inertia_coefficient", "1 or more", stock.inertia_coefficient);
  }
  const std::pair<const char*, double> not_negative[] = {
      {"rolling_resistance.A", stock.davis_a},
      {"rolling_resistance.B", stock.davis_b},
      {"rolling_resistance.C", stock.davis_c},
      {"comfort_acceleration", stock.comfort_acceleration}};
  for (const auto& [member, value] : not_negative) {
    if (!(value >= 0) || !std::isfinite(value)) return OutOfRange(member, "0 or more", value);
  }
  return Status();
}

Status CheckCurve(const RollingStock& stock) {
  const auto& speeds = stock.curve_speeds;
  const auto& efforts = stock.curve_efforts;
  if (speeds.empty()) return Status::DataError("the effort curve has no point");
  if (speeds.size() != efforts.size()) {
    return Status::DataError("the effort curve has " + std::to_string(speeds.size()) +
                             " speeds and " + std::to_string(efforts.size()) + " max_efforts");
  }
  if (speeds.front() != 0) return OutOfRange("the effort curve's first speed", "0", speeds[0]);
  for (std::size_t i = 0; i < speeds.size(); ++i) {
    if (i > 0 && !(speeds[i] > speeds[i - 1])) {
      return Status::DataError("the effort curve's speeds must increase: " + Number(speeds[i]) +
                               " follows " + Number(speeds[i - 1]));
    }
    if (!(efforts[i] >= 0) || !std::isfinite(efforts[i])) {
      return OutOfRange("max_efforts", "0 or more", efforts[i]);
    }
  }
  return Status();
}

}  // namespace

double EffortAt(const RollingStock& stock, double speed) {
  const auto& speeds = stock.curve_speeds;
  const auto& efforts = stock.curve_efforts;
  const auto above = std::upper_bound(speeds.begin(), speeds.end(), speed);
  if (above == speeds.end()) return efforts.back();
  if (above == speeds.begin()) return efforts.front();
  const std::size_t i = static_cast<std::size_t>(above - speeds.begin());
  const double share = (speed - speeds[i - 1]) / (speeds[i] - speeds[i - 1]);
  return efforts[i - 1] + share * (efforts[i] - efforts[i - 1]);
}

double ResistanceAt(const RollingStock& stock, double speed) {
  return stock.davis_a + stock.davis_b * speed + stock.davis_c * speed * speed;
}

Status CheckRollingStock(const RollingStock& stock) {
  if (Status scalars = CheckScalars(stock); !scalars.ok()) return scalars;
  return CheckCurve(stock);
}

}  // namespace tarvosa::running
