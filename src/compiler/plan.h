// The plan of the track axis, built metre by metre from the curves.
#pragma once

#include "compiler/compiled_model.h"

namespace tarvosa {

// The curvature of a curve class 1 to 6, in radians per metre.
double CurveClassCurvature(int curve_class);

// Sets rows 0 and 1: the axis starts at the origin heading along the second
// coordinate, one metre a row. False when the plan has no row 1.
bool SetPlanOrigin(LineData& plan);

// Writes the plan's rows from its next one through row `last` (which lies
// within the plan), each from the two before it: straight on, or, when
// `curved`, turned by the curvature `k` (a negative one turns towards
// decreasing X). The step is not normalised, so each curved metre
// lengthens it slightly.
void ExtendPlanTo(LineData& plan, std::int64_t last, double k, bool curved);

}  // namespace tarvosa
