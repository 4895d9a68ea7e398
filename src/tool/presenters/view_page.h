// The scenario view as one self-contained HTML page: the view's data with
// its page, script and style and the chart library, all embedded.
#pragma once

#include <string>

#include "tool/presenters/table_printer.h"
#include "util/status.h"

namespace tarvosa::tool {

// The page for `data` (ViewData's document). A text in the data that is no
// UTF-8 (a file name of other bytes) cannot go into the page: a data error.
Result<std::string> ViewPage(const Json& data);

}  // namespace tarvosa::tool
