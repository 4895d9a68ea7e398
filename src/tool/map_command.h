// scenario map: one SVG page of a compiled scenario: the plan of the line
// and, under it, the profile along the line.
#pragma once

#include <string>

namespace tarvosa::tool {

// Reads the three compiled files in `directory` and writes `output`.
int RunMap(const std::string& directory, const std::string& output);

}  // namespace tarvosa::tool
