// The curves, from the plan: each row's step is the step before it, turned
// by the curvature of a class and side or not at all, computed exactly as
// the compiler computes it; a run of rows turned alike is one curve.
#include <bit>
#include <cmath>

#include "compiler/plan.h"
#include "decompiler/recovery.h"

namespace tarvosa::decompiler {
namespace {

constexpr int kClasses = 6;

bool Same(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// A turn: no class for a straight row; a negative curvature turns left.
struct Turn {
  int curve_class = 0;
  double k = 0;
  bool operator==(const Turn& other) const {
    return curve_class == other.curve_class && Same(k, other.k);
  }
};

// The turns a row may have been drawn with, straight first.
std::vector<Turn> Turns() {
  std::vector<Turn> turns = {{}};
  for (int c = 1; c <= kClasses; ++c) {
    turns.push_back({c, CurveClassCurvature(c)});
    turns.push_back({c, -CurveClassCurvature(c)});
  }
  return turns;
}

// Whether row m follows from the two rows before it by `turn`, computed as
// the compiler computes it.
bool Draws(const std::vector<double>& x, const std::vector<double>& y, std::size_t m,
           const Turn& turn) {
  const double dx = x[m - 1] - x[m - 2], dy = y[m - 1] - y[m - 2];
  if (turn.curve_class == 0) return Same(x[m - 1] + dx, x[m]) && Same(y[m - 1] + dy, y[m]);
  return Same(x[m - 1] + (dx + turn.k * dy), x[m]) && Same(y[m - 1] + (dy - turn.k * dx), y[m]);
}

void Column(const std::vector<PlanElement>& elements, std::vector<double>& values) {
  for (const PlanElement& e : elements) {
    if (e.tag == 0) break;
    values.push_back(e.value);
  }
}

// "curvas3,  1350,  150" for the rows `first` to `last` turned alike.
void AddCurve(const CompiledInput& in, const Turn& turn, std::int64_t first, std::int64_t last,
              Recovery& out) {
  const std::int64_t start = first - 1;
  if (start + 100 > 50 * in.last_cell()) {
    out.Warn(CompiledPart::kPlan, "row " + std::to_string(first) +
                                      ": a curve that starts this near the end of the track "
                                      "cannot be written; left out");
    return;
  }
  const std::string keyword =
      std::string(turn.k < 0 ? "curvas" : "curvad") + std::to_string(turn.curve_class);
  out.curves.push_back(Record(keyword, {start, last - first + 1}));
}

}  // namespace

void RecoverCurves(const CompiledInput& in, Recovery& out) {
  if (!in.plan) {
    out.Warn(CompiledPart::kPlan,
             "there is no plan file, so the curves cannot be recovered: the line is written "
             "without curves, and its plan comes out straight");
    return;
  }
  std::vector<double> x, y;
  Column(in.plan->first, x);
  Column(in.plan->second, y);
  const std::vector<Turn> turns = Turns();
  Turn current;
  std::int64_t run_start = 0, unmatched = 0, first_unmatched = 0;
  for (std::size_t m = 2; m < x.size(); ++m) {
    Turn turn = current;
    if (!Draws(x, y, m, turn)) {
      bool found = false;
      for (const Turn& t : turns) {
        if (!found && Draws(x, y, m, t)) turn = t, found = true;
      }
      if (!found && unmatched++ == 0) first_unmatched = static_cast<std::int64_t>(m);
      if (!found) turn = {};
    }
    if (turn == current) continue;
    const auto row = static_cast<std::int64_t>(m);
    if (current.curve_class != 0) AddCurve(in, current, run_start, row - 1, out);
    current = turn, run_start = row;
  }
  if (current.curve_class != 0) AddCurve(in, current, run_start, std::ssize(x) - 1, out);
  if (unmatched > 0) {
    out.Warn(CompiledPart::kPlan, "row " + std::to_string(first_unmatched) + ": " +
                                      std::to_string(unmatched) +
                                      " rows follow from the rows before them by no curve class "
                                      "and side; they are written as straight");
  }
}

}  // namespace tarvosa::decompiler
