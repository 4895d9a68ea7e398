// What the two readers keep while they read, and nothing the compiled
// scenario holds.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "compiler/compiled_model.h"
#include "compiler/diagnostics.h"
#include "compiler/internal/source_records.h"
#include "compiler/stored_format.h"

namespace tarvosa {

// The tunnel spans stored so far, index 0 unused.
struct SpanTable {
  std::int32_t count = 0;
  std::array<std::int32_t, kMaxTunnelSpans + 1> start{};
  std::array<std::int32_t, kMaxTunnelSpans + 1> end{};
};

// A kilometre reference as the line file gave it, before the references
// are put in order.
struct ReferenceRead {
  std::int32_t start = 0;
  std::int32_t end = 0;
  SourceLocation at;
};

struct ReaderScratch {
  // The field last read in keyword position, where it begins, and whether
  // it begins its line (or follows the values of the record before it).
  std::string_view current_field;
  SourceLocation keyword;
  bool keyword_starts_line = true;
  // Whether that field is part of a line whose keyword matched nothing.
  bool unknown_record = false;
  // The name of the station read last, until the next keyword: a line
  // passed over right after it probably continues it.
  std::string_view previous_station;
  // The keywords of the other file and the records of this one that the
  // reader met, to tell two files given the wrong way round.
  std::int32_t foreign_keywords = 0;
  std::int32_t own_records = 0;
  // The record of the station read last: the next is checked against it.
  SourceLocation last_station;
  // The next entry of the table for a text board; stations must stay below.
  std::int32_t board_slot = kFirstBoardSlot;
  SpanTable spans;
  // "tre", "due", "uno", as read.
  std::array<ReferenceRead, 3> references;
  // Where every record read goes, when someone asks for them.
  SourceRecords* records = nullptr;
};

}  // namespace tarvosa
