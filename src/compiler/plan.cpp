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
  const std::int64_t m = plan.next_row();
  if (m > last) return;
  double x0 = X(plan, m - 2), y0 = Y(plan, m - 2);
  double x1 = X(plan, m - 1), y1 = Y(plan, m - 1);
  // The rows are sized once and written in a tight loop, one loop for each
  // kind of run.
  const std::size_t first = plan.x.size();
  const auto count = static_cast<std::size_t>(last - m + 1);
  plan.x.resize(first + count);
  plan.y.resize(first + count);
  double* x = plan.x.data() + first;
  double* y = plan.y.data() + first;
  double dx = x1 - x0, dy = y1 - y0;
  if (curved) {
    for (std::size_t i = 0; i < count; ++i) {
      const double x2 = x1 + (dx + k * dy);
      const double y2 = y1 + (dy - k * dx);
      x[i] = x2, y[i] = y2;
      dx = x2 - x1, dy = y2 - y1;
      x1 = x2, y1 = y2;
    }
  } else {
    for (std::size_t i = 0; i < count; ++i) {
      const double x2 = x1 + dx;
      const double y2 = y1 + dy;
      x[i] = x2, y[i] = y2;
      dx = x2 - x1, dy = y2 - y1;
      x1 = x2, y1 = y2;
    }
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
