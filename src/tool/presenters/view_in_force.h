// The records in force along the line: for each kind of record whose value
// holds from its progressive on (line speed, gradient, adhesion, curve,
// slow-down, tunnel, speed board), the cells from which each record holds, with its place
// and text. Only the changes go in the page, so its size follows the
// records, not the cells.
#pragma once

#include "tool/presenters/view_data.h"

namespace tarvosa::tool {

// {kind: [[from_cell, "FILE:LINE:COLUMN", record], ...]} in cell order; a
// run of [from_cell] alone holds no record (past a curve's end). Cells past
// `last_cell` are left out.
Json RecordsInForce(const ViewSources& sources, std::int64_t last_cell);

}  // namespace tarvosa::tool
