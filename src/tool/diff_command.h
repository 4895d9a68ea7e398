// scenario diff: what changed between two compiled scenarios, or between
// two compiled files of one kind.
#pragma once

#include <string>

namespace tarvosa::tool {

// A and B are two directories, each holding a compiled scenario (a track,
// a table, and a plan when it was compiled with one), or two compiled files
// of one kind. Writes the differences to the standard output and returns 0
// when the two are the same, 1 when they differ (or an input cannot be
// read), 2 for bytes of another layout and 4 for inputs that do not go
// together.
int RunDiff(const std::string& a, const std::string& b);

}  // namespace tarvosa::tool
