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

}  // namespace

void ExtendPlanTo(LineData& plan, std::int64_t last, double k, bool curved) {
  std::int64_t m = plan.next_row();
  if (m > last) return;
  double x0 = X(plan, m - 2), y0 = Y(plan, m - 2);
  double x1 = X(plan, m - 1), y1 = Y(plan, m - 1);
  for (; m <= last; ++m) {
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double x2 = curved ? x1 + (dx + k * dy) : x1 + dx;
    const double y2 = curved ? y1 + (dy - k * dx) : y1 + dy;
    plan.x.push_back(x2);
    plan.y.push_back(y2);
    x0 = x1, y0 = y1, x1 = x2, y1 = y2;
  }
}

double CurveClassCurvature(int curve_class) {
  static constexpr std::array<double, 6> kCurvature = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};
  return kCurvature.at(static_cast<std::size_t>(curve_class - 1));
}

bool SetPlanOrigin(LineData& plan) {
  if (plan.last_row < 1) return false;
  plan.origin_set = true;
  return true;
}

}  // namespace tarvosa
