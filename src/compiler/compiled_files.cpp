#include "compiler/compiled_files.h"

#include <algorithm>

#include "util/coding.h"
#include "util/files.h"

namespace tarvosa {
namespace {

constexpr std::uint16_t kTagEmpty = 0;
constexpr std::uint16_t kTagInteger = 2;
constexpr std::uint16_t kTagDouble = 5;

void PutTrackCell(std::string& out, const TrackCell& cell) {
  PutFixed8(out, cell.kind);
  PutInt16(out, cell.value_a);
  PutInt16(out, cell.value_b);
  PutInt16(out, cell.value_c);
  PutInt16(out, cell.value_d);
  PutFixed8(out, cell.signal_time);
  PutFixed8(out, cell.approach_code);
  PutFixed8(out, cell.montagna_kind);
  PutFixed8(out, cell.speed_limit);
  PutFixed8(out, cell.gradient);
  PutFixed8(out, cell.adhesion);
}

void PutScenarioEntry(std::string& out, const ScenarioEntry& entry) {
  PutFixed8(out, entry.kind);
  PutInt32(out, entry.start);
  PutInt32(out, entry.end);
  PutInt32(out, entry.position);
  PutFixed8(out, entry.flag_a);
  // The readers never store a name longer than a 16-bit length can tell.
  const std::size_t length = std::min<std::size_t>(entry.name.size(), 0xFFFF);
  PutFixed16(out, static_cast<std::uint16_t>(length));
  out.append(entry.name, 0, length);
  PutInt16(out, entry.word_a);
  PutInt16(out, entry.word_b);
  PutInt16(out, entry.word_c);
  PutInt16(out, entry.word_d);
  PutInt16(out, entry.word_e);
  PutFixed8(out, entry.byte_a);
  PutFixed8(out, entry.byte_b);
  PutFixed8(out, entry.byte_c);
  PutFixed8(out, entry.byte_d);
  PutInt32(out, entry.time);
}

// One column of the plan; `origin` holds the integer rows 0 and 1.
void PutPlanColumn(std::string& out, const LineData& plan, const std::vector<double>& computed,
                   const std::int16_t (&origin)[2]) {
  for (std::int64_t row = 0; row <= plan.last_row; ++row) {
    if (row < 2 && plan.origin_set) {
      PutFixed16(out, kTagInteger);
      PutInt16(out, origin[row]);
    } else if (row >= 2 && row < plan.next_row()) {
      PutFixed16(out, kTagDouble);
      PutDouble(out, computed[static_cast<std::size_t>(row - 2)]);
    } else {
      PutFixed16(out, kTagEmpty);
    }
  }
}

}  // namespace

std::string EncodeTrackCells(const std::vector<TrackCell>& cells) {
  std::string out;
  out.reserve(cells.size() * kTrackCellBytes);
  for (const TrackCell& cell : cells) PutTrackCell(out, cell);
  return out;
}

std::string EncodeScenarioHeader(const ScenarioHeader& header) {
  std::string out;
  for (const ScenarioEntry& entry : header) PutScenarioEntry(out, entry);
  return out;
}

std::string EncodeLineData(const LineData& plan) {
  std::string out;
  out.reserve(2 * (static_cast<std::size_t>(plan.last_row) + 1) * 10);
  PutPlanColumn(out, plan, plan.x, {0, 0});
  PutPlanColumn(out, plan, plan.y, {0, 1});
  return out;
}

Status WriteCompiledFiles(const CompilerState& state) {
  if (state.j != 0 && state.line_data) {
    if (Status s = ReplaceFile(state.plan_file, EncodeLineData(*state.line_data)); !s.ok())
      return s;
  }
  if (Status s = ReplaceFile(state.table_file, EncodeScenarioHeader(state.header)); !s.ok()) {
    return s;
  }
  const std::vector<TrackCell> no_cells;
  return ReplaceFile(state.track_file, EncodeTrackCells(state.cells ? *state.cells : no_cells));
}

}  // namespace tarvosa
