// The words data errors are told in, shared by the readers, the stores and
// the builder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/compiled_model.h"

namespace tarvosa {

// A field or a text as messages quote it: in single quotes, in UTF-8, cut
// short when long, and what no one sees named: "<tab>", "<CR>", "<LF>",
// "<no-break space>".
std::string Quoted(std::string_view field);

// What no one sees in `field`: "a tab", "a no-break space" or "" when it
// holds neither; the first one found is named.
std::string_view InvisibleIn(std::string_view field);

// "6200 m".
std::string Metres(std::int64_t metres);

// "cell 125 (6200 m)": a cell and the progressive it stands for.
std::string CellText(std::int64_t cell);

// Where a cell outside the track lies: "cell -3, before the start of the
// track" or "cell 4700, beyond the end of the track (its last cell is 4680)".
std::string OutsideText(const std::vector<TrackCell>& cells, std::int64_t cell);

// "61025 is not: the nearest are 61000 and 61050", for a value that must be
// a multiple of `of`.
std::string NotAMultipleText(std::int64_t value, std::int64_t of);

// Why `what` at `progressive` lies beyond the end of the track, when it must
// stand `reach` metres before the last cell: "the signal at 240000 m lies
// beyond the end of the track: with a line length of 227000 m the last cell
// is 4680, and the signal may stand at 233900 m at most".
std::string BeyondTheEndText(std::string_view what, std::int64_t progressive, std::int64_t reach,
                             const CompiledScenario& scenario);

}  // namespace tarvosa
