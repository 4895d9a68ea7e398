// Where a byte of a text file stands, counted as a person counts: lines and
// columns from 1.
#pragma once

#include <cstddef>
#include <string_view>

namespace tarvosa {

struct TextPosition {
  std::size_t line = 1;
  std::size_t column = 1;
};

// The line and column of the byte at `offset` of `bytes`, the column
// counted in bytes. An LF ends a line together with every CR right before
// it (LF, CR LF, CR CR LF); any other CR ends a line by itself. An offset
// past the end stands just after the last byte.
TextPosition PositionOf(std::string_view bytes, std::size_t offset);

// The positions of many offsets of one text, as PositionOf gives them: each
// goes on from where the one before stopped, so offsets asked in ascending
// order cost one pass over the text; one before it starts from the top.
class TextPositions {
 public:
  explicit TextPositions(std::string_view bytes) : bytes_(bytes) {}
  TextPosition Of(std::size_t offset);
  // The bytes looked at so far, over every offset asked.
  std::size_t bytes_looked_at() const { return looked_at_; }

 private:
  std::string_view bytes_;
  std::size_t scanned_ = 0;  // the bytes before it are counted
  std::size_t line_ = 1;
  std::size_t line_start_ = 0;
  std::size_t asked_ = 0;  // the offset asked last, and its position
  TextPosition answer_;
  bool answered_ = false;
  std::size_t looked_at_ = 0;
};

}  // namespace tarvosa
