// The stations on the map: on the plan each dot labelled beside it or
// farther out with a leader line, and under the line a row of upright
// labels under their ticks, spread apart with leaders where they crowd.
#pragma once

#include <utility>
#include <vector>

#include "tool/presenters/map_labels.h"
#include "tool/presenters/map_writer.h"
#include "tool/presenters/table_printer.h"

namespace tarvosa::tool {

// The dots at `dots` (one a station) and their labels, which stay within
// `layout`'s bounds and rather off the `track`.
void PlanStations(SvgWriter& svg, const Json& stations, LabelLayout layout,
                  const std::vector<std::pair<double, double>>& track,
                  const std::vector<std::pair<double, double>>& dots);

// The stations' ticks at `xs` from `top` and their labels with their times
// under them, on a page `width` wide; returns where the labels end.
double StationRow(SvgWriter& svg, const Json& stations, const std::vector<double>& xs, double top,
                  double width);

}  // namespace tarvosa::tool
