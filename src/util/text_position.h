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

// The line and column of the byte at `offset` of `bytes`; CR LF, LF or CR
// end a line. An offset past the end stands just after the last byte.
TextPosition PositionOf(std::string_view bytes, std::size_t offset);

}  // namespace tarvosa
