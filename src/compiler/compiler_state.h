// The state one compilation works on. Every value lives here, in one object
// that the caller owns: the compiler has no global state.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compiler/compiled_model.h"

namespace tarvosa {

inline constexpr std::int32_t kMaxSpans = 80;

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

  // The last fault found in the scenario data, 0 when there is none, and the
  // progressive (metres) that goes with it where it has one.
  std::int32_t error_code = 0;
  std::int32_t error_position = 0;

  // The compiled scenario. The cells and the plan exist once the line's
  // length has been read.
  std::optional<std::vector<TrackCell>> cells;
  ScenarioHeader header{};
  std::optional<LineData> line_data;
  std::int64_t last_cell = 0;  // U: cells 0 to U
  std::int64_t plan_rows = 0;  // N: plan rows 0 to N

  // The next entry of the table for a text board; stations must stay below.
  std::int32_t board_slot = kFirstBoardSlot;

  // The tunnel spans stored so far, index 0 unused.
  std::int32_t span_count = 0;
  std::array<std::int32_t, kMaxSpans + 1> span_start{};
  std::array<std::int32_t, kMaxSpans + 1> span_end{};

  // The field last read in keyword position.
  std::string current_field;

  // The cell at `index`, or nothing when the index lies outside the cells.
  TrackCell* Cell(std::int64_t index) {
    if (!cells || index < 0 || index >= static_cast<std::int64_t>(cells->size())) return nullptr;
    return &(*cells)[static_cast<std::size_t>(index)];
  }
};

}  // namespace tarvosa
