#include "util/text_position.h"

#include <algorithm>

namespace tarvosa {

TextPosition PositionOf(std::string_view bytes, std::size_t offset) {
  return TextPositions(bytes).Of(offset);
}

TextPosition TextPositions::Of(std::size_t offset) {
  const std::size_t end = std::min(offset, bytes_.size());
  if (answered_ && end == asked_) return answer_;
  if (end < scanned_) scanned_ = 0, line_ = 1, line_start_ = 0;
  std::size_t i = scanned_;
  for (; i < end; ++i) {
    if (bytes_[i] == '\r') {
      // The CRs right before an LF end one line with it (CR LF, CR CR LF).
      const std::size_t after = std::min(bytes_.find_first_not_of('\r', i), bytes_.size());
      if (after < bytes_.size() && bytes_[after] == '\n') i = after;
    }
    if (bytes_[i] == '\n' || bytes_[i] == '\r') line_ += 1, line_start_ = i + 1;
  }
  looked_at_ += i - scanned_;
  scanned_ = i;
  // An offset among the CRs before an LF counts as the next line.
  answer_ = {line_, end >= line_start_ ? end - line_start_ + 1 : 1};
  asked_ = end, answered_ = true;
  return answer_;
}

}  // namespace tarvosa
