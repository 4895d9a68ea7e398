// The scenario drawn as one SVG page, from the view's data: the plan over
// the page's width, and along the line, on one kilometre axis with values,
// the elevation with tunnels and text boards, the line speed with its
// boards and slow-downs, adhesion, gradient, curvature, and the signals,
// braking points and stations with their times.
#pragma once

#include <string>

#include "tool/presenters/table_printer.h"

namespace tarvosa::tool {

// The page for `data` (ViewData's document).
std::string MapSvg(const Json& data);

}  // namespace tarvosa::tool
