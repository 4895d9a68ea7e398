// The tool's streams go to a terminal, where a control character in a
// scenario's text or a file name could move the cursor, recolour the screen
// or retitle the window: every text the tool writes goes out through Tell.
#pragma once

#include <ostream>
#include <string_view>

#include "util/escape.h"

namespace tarvosa::tool {

// Writes `text` on `stream`: its line feeds as they are, every other
// control character and every byte that is no UTF-8 escaped.
inline void Tell(std::ostream& stream, std::string_view text) {
  stream << EscapeTerminalLines(text);
}

}  // namespace tarvosa::tool
