// The compiled files decoded, and refused when they are not a compiled
// scenario or do not belong together.
#include "decompiler/compiled_input.h"

#include "compiler/codes.h"
#include "compiler/messages.h"

namespace tarvosa::decompiler {
namespace {

Status Refuse(const CompiledBytes& files, CompiledPart part, const std::string& reason) {
  const std::string_view name = part == CompiledPart::kTrack   ? files.track_name
                                : part == CompiledPart::kTable ? files.table_name
                                                               : files.plan_name;
  return Status::DataError(std::string(name) + ": " + reason);
}

std::string Titles(const ScenarioHeader& h) {
  return Quoted(h[kRouteEntry].name) + " and " + Quoted(h[kTrainEntry].name);
}

// Rows 0 and 1 the origin, then the computed rows, then empty ones.
bool PlanColumnLaidOut(const std::vector<PlanElement>& column, double second_row) {
  if (column.size() < 2 || column[0].tag != kPlanInteger || column[0].value != 0 ||
      column[1].tag != kPlanInteger || column[1].value != second_row) {
    return false;
  }
  std::size_t m = 2;
  while (m < column.size() && column[m].tag == kPlanReal) ++m;
  while (m < column.size() && column[m].tag == kPlanEmpty) ++m;
  return m == column.size();
}

std::size_t ComputedRows(const std::vector<PlanElement>& column) {
  std::size_t m = 2;
  while (m < column.size() && column[m].tag == kPlanReal) ++m;
  return m;
}

Status CheckPlan(const CompiledBytes& files, std::int64_t length, CompiledInput& in) {
  const std::string_view bytes = *files.plan;
  // A plan larger than the longest line's fits no table, and is not decoded.
  if (const auto rows = CountPlanRows(bytes); rows && *rows > kMostPlanRows) {
    return Refuse(files, CompiledPart::kPlan,
                  PlanSizeMismatch(*rows, length) + ": the plan belongs to another scenario");
  }
  auto plan = DecodeLineData(bytes);
  if (!plan || !PlanColumnLaidOut(plan->first, 0) || !PlanColumnLaidOut(plan->second, 1) ||
      ComputedRows(plan->first) != ComputedRows(plan->second)) {
    return Refuse(files, CompiledPart::kPlan,
                  "its " + std::to_string(bytes.size()) + " bytes are not the plan of a line");
  }
  if (const std::string mismatch = PlanSizeMismatch(plan->first.size(), length);
      !mismatch.empty()) {
    return Refuse(files, CompiledPart::kPlan, mismatch + ": the plan belongs to another scenario");
  }
  in.plan = std::move(*plan);
  return Status();
}

Status CheckTogether(const CompiledBytes& files, const CompiledInput& in) {
  const ScenarioHeader& h = in.header;
  const std::int64_t length = NumbersEntry(h[kNumbersEntry]).line_length;
  if (length > kLongestLine) {
    return Refuse(files, CompiledPart::kTable,
                  "its line length of " + std::to_string(length) +
                      " m (entry 84) is more than a scenario may have, "
                      "1000000 m");
  }
  if (const std::string mismatch = TrackSizeMismatch(in.cells.size(), length); !mismatch.empty()) {
    return Refuse(files, CompiledPart::kTrack,
                  mismatch + ": the track and the table belong to different scenarios");
  }
  const RouteEntry route(h[kRouteEntry]);
  if (route.check_code != codice_gara_st(h)) {
    return Refuse(files, CompiledPart::kTable,
                  "its check code " + std::to_string(route.check_code) +
                      " is not the one of its titles " + Titles(h) + ", " +
                      std::to_string(codice_gara_st(h)));
  }
  const StampedCell first(in.cells[1]);
  if (first.check_code != codice_gara_og(h)) {
    return Refuse(files, CompiledPart::kTrack,
                  "the check code in cell 1, " + std::to_string(first.check_code) +
                      ", is not the one of the table's titles " + Titles(h) + ", " +
                      std::to_string(codice_gara_og(h)) +
                      ": the track and the table belong to different scenarios");
  }
  return Status();
}

}  // namespace

Status ReadCompiled(const CompiledBytes& files, CompiledInput& in) {
  auto cells = DecodeTrackCells(files.track);
  if (!cells || cells->size() < 2 || StampedCell((*cells)[1]).marker != kTrackMarker) {
    return Refuse(files, CompiledPart::kTrack,
                  "its " + std::to_string(files.track.size()) +
                      " bytes are not a compiled track (cells of 15 "
                      "bytes, the marker 5121 in cell 1)");
  }
  auto header = DecodeScenarioHeader(files.table);
  if (!header || RouteEntry((*header)[kRouteEntry]).marker != kRouteMarker) {
    return Refuse(files, CompiledPart::kTable,
                  "its " + std::to_string(files.table.size()) +
                      " bytes are not a compiled scenario table (87 "
                      "entries, the marker 610 in entry 85)");
  }
  in.cells = std::move(*cells);
  in.header = std::move(*header);
  if (Status together = CheckTogether(files, in); !together.ok()) return together;
  if (files.plan) return CheckPlan(files, NumbersEntry(in.header[kNumbersEntry]).line_length, in);
  return Status();
}

}  // namespace tarvosa::decompiler
