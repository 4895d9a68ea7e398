// What the two readers keep while they read, and nothing the compiled
// scenario holds.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "compiler/compiled_model.h"
#include "compiler/diagnostics.h"

namespace tarvosa {

inline constexpr std::int32_t kMaxSpans = 80;

// The tunnel spans stored so far, index 0 unused.
struct SpanTable {
  std::int32_t count = 0;
  std::array<std::int32_t, kMaxSpans + 1> start{};
  std::array<std::int32_t, kMaxSpans + 1> end{};
};

// A kilometre reference as the line file gave it, before the references
// are put in order.
struct ReferenceRead {
  std::int32_t start = 0;
  std::int32_t end = 0;
  SourceLocation at;
};

struct ReaderScratch {
  // The field last read in keyword position, and where it begins.
  std::string_view current_field;
  SourceLocation keyword;
  // The next entry of the table for a text board; stations must stay below.
  std::int32_t board_slot = kFirstBoardSlot;
  SpanTable spans;
  // "tre", "due", "uno", as read.
  std::array<ReferenceRead, 3> references;
};

}  // namespace tarvosa
