#include "compiler/plan.h"

#include <array>

namespace tarvosa {
namespace {

// The coordinates of row `m`, which must be written already.
double X(const LineData& plan, std::int64_t m) {
  return m < 2 ? 0.0 : plan.x[static_cast<std::size_t>(m - 2)];
}
double Y(const LineData& plan, std::int64_t m) {
  return m < 2 ? static_cast<double>(m) : plan.y[static_cast<std::size_t>(m - 2)];
}

bool Extend(LineData& plan, double k, bool curved) {
  const std::int64_t m = plan.next_row();
  if (m > plan.last_row) return false;
  const double x1 = X(plan, m - 1);
  const double y1 = Y(plan, m - 1);
  const double dx = x1 - X(plan, m - 2);
  const double dy = y1 - Y(plan, m - 2);
  if (curved) {
    plan.x.push_back(x1 + (dx + k * dy));
    plan.y.push_back(y1 + (dy - k * dx));
  } else {
    plan.x.push_back(x1 + dx);
    plan.y.push_back(y1 + dy);
  }
  return true;
}

}  // namespace

double CurveClassCurvature(int curve_class) {
  static constexpr std::array<double, 6> kCurvature = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};
  return kCurvature.at(static_cast<std::size_t>(curve_class - 1));
}

bool SetPlanOrigin(LineData& plan) {
  if (plan.last_row < 1) return false;
  plan.origin_set = true;
  return true;
}

bool ExtendStraight(LineData& plan) {
  return Extend(plan, 0.0, false);
}

bool ExtendCurved(LineData& plan, double k) {
  return Extend(plan, k, true);
}

}  // namespace tarvosa
