// A track cell as an author reads it: what its kind is called, what its
// stored values mean, what its approach code announces and its profile.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "compiler/compiled_model.h"
#include "tool/presenters/described_fields.h"

namespace tarvosa::tool {

// The cells of one track, and the table beside it when there is one (for
// the names of stations and the texts of boards).
struct TrackContext {
  const std::vector<TrackCell>& cells;
  const ScenarioHeader* header = nullptr;
};

struct CellDescription {
  std::string kind;  // "" for a cell that holds no feature
  Fields what;       // its stored values, named; any value its kind leaves unexplained as stored
  Json approach;     // null, or what the approach code announces
  std::string approach_text;
};

CellDescription DescribeCell(const TrackContext& track, std::size_t index);

// The kind, its values and the approach, in one line:
// "signal: sx 2, s1 4, ...; approach: 400 m before the signal at 6200 m (code 64)".
std::string CellText(const CellDescription& description);

// What the cell's values say without its kind: the part after "kind: ".
std::string WhatText(const CellDescription& description);

// The line speed, gradient, adhesion and tunnel type of the cell.
Fields Profile(const TrackCell& cell);

}  // namespace tarvosa::tool
