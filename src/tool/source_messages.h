// The compiler's messages about the two text files as the tool prints
// them: each at its FILE:LINE:COLUMN, followed by the line it points into,
// so that the author finds it whatever the editor counts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "compiler/diagnostics.h"

namespace tarvosa::tool {

// The line of `bytes` that holds `offset`, in UTF-8 on a line of its own
// after four blanks; a long line is cut to the part around `offset`. ""
// for a place that is the file as a whole.
std::string QuotedLine(std::string_view bytes, std::int64_t offset);

// Every kept error, in file order: "FILE:LINE:COLUMN: error N ...", then
// " (may follow from the error at FILE:LINE:COLUMN)" for one that may come
// of an earlier error, then the quoted line.
std::vector<std::string> ErrorMessages(const Diagnostics& diagnostics, const SourceText& line,
                                       const SourceText& train);

// "1 error", "6 errors", or "1234 errors, the first 1000 shown".
std::string ErrorCount(const Diagnostics& diagnostics);

}  // namespace tarvosa::tool
