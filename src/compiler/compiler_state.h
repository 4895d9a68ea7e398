// The state one compilation works on. Every value lives here, in one object
// that the caller owns: the compiler has no global state.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/compiled_model.h"

namespace tarvosa {

inline constexpr std::int32_t kMaxSpans = 80;

// A place in the two text files: which file, and the byte at which a field
// begins (-1 for the file as a whole).
struct SourceLocation {
  enum class File : std::uint8_t { kNone, kLine, kTrain };
  File file = File::kNone;
  std::int64_t offset = -1;
};

// What a reader has just read, for tools that look over its shoulder.
enum class RecordKind : std::uint8_t {
  kGradient,
  kCurve,
  kTunnel,
  kSpeedBoard,
  kTextBoard,
  kSpeed,
  kAdhesion,
  kSignal,
  kSlowDown,
  kBrakingPoint,
  kStation,
};

// Told what the compiler reads and does, without changing any of it. Every
// method does nothing unless a tool overrides it.
class CompilerObserver {
 public:
  virtual ~CompilerObserver() = default;
  // A field in keyword position that no keyword matched: it is passed over.
  virtual void UnknownField(const SourceLocation&, std::string_view /*field*/) {}
  // A record and its progressive (for a curve, its start and length).
  virtual void RecordRead(const SourceLocation&, RecordKind, std::int64_t /*progressive*/,
                          std::int64_t /*length*/) {}
  // A text stored as read: a board text or a station name.
  virtual void TextRead(const SourceLocation&, std::string_view /*text*/) {}
  // A feature put into a cell that held another (a tunnel marker included).
  virtual void CellReplaced(const SourceLocation&, std::int64_t /*cell*/, std::uint8_t /*before*/,
                            std::uint8_t /*after*/) {}
};

struct CompilerState {
  // What the compiler is given: the two titles (Windows-1252 bytes), the
  // names of the two text files it reads and of the three it writes.
  std::string route_title;
  std::string train_title;
  std::string line_file;
  std::string train_file;
  std::string plan_file;   // the plan of the line
  std::string table_file;  // the scenario table
  std::string track_file;  // the track cells

  // The plan flag: nonzero builds the plan of the line from the curves.
  std::int32_t j = 1;

  // The last fault found in the scenario data, 0 when there is none, the
  // progressive (metres) that goes with it where it has one, and the field
  // where it was found.
  std::int32_t error_code = 0;
  std::int32_t error_position = 0;
  SourceLocation error_location;

  // The field being read, while a reader runs.
  SourceLocation reading;

  // Told what happens, when a tool asks; nullptr otherwise.
  CompilerObserver* observer = nullptr;

  // The compiled scenario. The cells and the plan exist once the line's
  // length has been read.
  std::optional<std::vector<TrackCell>> cells;
  ScenarioHeader header{};
  std::optional<LineData> line_data;

  // The next entry of the table for a text board; stations must stay below.
  std::int32_t board_slot = kFirstBoardSlot;

  // The tunnel spans stored so far, index 0 unused.
  std::int32_t span_count = 0;
  std::array<std::int32_t, kMaxSpans + 1> span_start{};
  std::array<std::int32_t, kMaxSpans + 1> span_end{};

  // The field last read in keyword position.
  std::string current_field;

  // Records a data error found at the field being read.
  void RecordError(std::int32_t code) {
    error_code = code;
    error_location = reading;
  }

  // Puts a feature of `kind` into `cell` (cell `index`), telling the
  // observer when the cell held another feature or a tunnel marker.
  void PutFeature(TrackCell& cell, std::int64_t index, std::uint8_t kind) {
    if (observer != nullptr && cell.kind != kFree) {
      observer->CellReplaced(reading, index, cell.kind, kind);
    }
    cell.kind = kind;
  }

  // U: the cells run from 0 to U (0 before there are any).
  std::int64_t last_cell() const {
    return cells ? static_cast<std::int64_t>(cells->size()) - 1 : 0;
  }

  // The cell at `index`, or nothing when the index lies outside the cells.
  TrackCell* Cell(std::int64_t index) {
    if (!cells || index < 0 || index >= static_cast<std::int64_t>(cells->size())) return nullptr;
    return &(*cells)[static_cast<std::size_t>(index)];
  }
};

}  // namespace tarvosa
