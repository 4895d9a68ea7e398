#include "util/text_position.h"

#include <algorithm>

namespace tarvosa {

TextPosition PositionOf(std::string_view bytes, std::size_t offset) {
  const std::size_t end = std::min(offset, bytes.size());
  std::size_t line = 1, line_start = 0;
  for (std::size_t i = 0; i < end; ++i) {
    const bool crlf = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
    if (crlf) ++i;
    if (crlf || bytes[i] == '\n' || bytes[i] == '\r') line += 1, line_start = i + 1;
  }
  // An offset between the CR and the LF of a pair counts as the next line.
  return {line, end >= line_start ? end - line_start + 1 : 1};
}

}  // namespace tarvosa
