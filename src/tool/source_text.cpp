#include "tool/source_text.h"

#include <algorithm>

namespace tarvosa::tool {

std::string Where(const std::string& file, std::string_view bytes, std::int64_t offset) {
  if (offset < 0) return file;
  const std::size_t end = std::min(static_cast<std::size_t>(offset), bytes.size());
  std::size_t line = 1, line_start = 0;
  for (std::size_t i = 0; i < end; ++i) {
    const bool crlf = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
    if (crlf) ++i;
    if (crlf || bytes[i] == '\n' || bytes[i] == '\r') ++line, line_start = i + 1;
  }
  return file + ":" + std::to_string(line) + ":" + std::to_string(end - line_start + 1);
}

}  // namespace tarvosa::tool
