// A rolling stock in the railjson format (versions 3.x): the members the
// running time needs, read from the text of the file. Every other member is
// left alone.
#pragma once

#include <string_view>

#include "running/rolling_stock.h"
#include "util/status.h"

namespace tarvosa::running {

// The train `text` describes. A data error names the member that is
// missing, of the wrong type or out of range, and what was found;
// `source` (a file name) begins the message.
Result<RollingStock> ReadRailjson(std::string_view source, std::string_view text);

}  // namespace tarvosa::running
