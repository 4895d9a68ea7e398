// The byte layout of the three compiled files. Every record is written
// member by member, little-endian, with nothing between members and no
// header or count.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/compiled_model.h"
#include "compiler/stored_format.h"
#include "util/byte_sink.h"

namespace tarvosa {

inline constexpr std::size_t kTrackCellBytes = 15;
inline constexpr std::size_t kScenarioEntryFixedBytes = 34;

// Tarvosa_Corvale.dat: every cell from 0 up, 15 bytes each.
std::string EncodeTrackCells(const std::vector<TrackCell>& cells);

// Tarvosa_Corvale.sim: the 87 entries in order; a name is its 16-bit
// length and its bytes.
std::string EncodeScenarioHeader(const ScenarioHeader& header);

// Tarvosa_linea.dat: all of column 0 (rows 0 to N), then all of column 1.
// An element is a 16-bit tag and its value: 2 and a 16-bit integer, 5 and a
// double, or 0 alone for an empty element.
std::string EncodeLineData(const LineData& plan);

// The same bytes, appended to `sink` a piece at a time: the plan of a long
// line takes tens of megabytes.
void WriteLineData(const LineData& plan, ByteSink& sink);

// The most cells a track and rows a plan may have: those of the longest line.
inline constexpr std::size_t kMostTrackCells = LastCellFor(kLongestLine) + 1;
inline constexpr std::size_t kMostPlanRows = PlanLastRowFor(kLongestLine) + 1;

// The three files read back, for tools. Each returns nothing when the bytes
// do not have the file's layout exactly: a track whose size is no multiple
// of 15, a table that is not 87 entries to the last byte, a plan whose
// elements do not parse or do not make two equal columns; or when they hold
// more cells or rows than kMostTrackCells or kMostPlanRows.
std::optional<std::vector<TrackCell>> DecodeTrackCells(std::string_view bytes);
std::optional<ScenarioHeader> DecodeScenarioHeader(std::string_view bytes);

// A table entry read on its own: its first kEntryHeadBytes bytes tell its
// whole size, its name's length being the last two of them.
inline constexpr std::size_t kEntryHeadBytes = 16;
std::size_t ScenarioEntrySize(std::string_view head);
// Nothing unless `bytes` are one entry exactly.
std::optional<ScenarioEntry> DecodeScenarioEntry(std::string_view bytes);

// An element of the plan as stored: its tag (0 empty, 2 integer, 5 real)
// and its value.
struct PlanElement {
  std::uint16_t tag = 0;
  double value = 0;
};
struct DecodedPlan {
  std::vector<PlanElement> first;   // column 0, rows 0 to N
  std::vector<PlanElement> second;  // column 1
};
std::optional<DecodedPlan> DecodeLineData(std::string_view bytes);

// The rows of a plan's bytes, counted without decoding them; nothing when
// its elements do not parse or do not make two equal columns.
std::optional<std::size_t> CountPlanRows(std::string_view bytes);

// Why a track of `cells` cells or a plan of `rows` rows is not sized as
// the table's line length `length` says ("the track has 5 cells, but the
// table's line length of 10000 m (entry 84) gives 341"); "" when it is.
std::string TrackSizeMismatch(std::size_t cells, std::int64_t length);
std::string PlanSizeMismatch(std::size_t rows, std::int64_t length);

}  // namespace tarvosa
