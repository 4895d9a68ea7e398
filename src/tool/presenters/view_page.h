// The scenario view as one self-contained HTML page: the view's data with
// its page, script and style and the chart library, all embedded.
#pragma once

#include <string>

#include "tool/presenters/table_printer.h"

namespace tarvosa::tool {

// The page for `data` (ViewData's document), each text escaped for where it
// stands: the title as HTML, the data as JSON in a script. A text in the
// data that is no UTF-8 (a file name of other bytes) shows U+FFFD.
std::string ViewPage(const Json& data);

}  // namespace tarvosa::tool
