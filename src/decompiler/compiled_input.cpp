// The compiled files decoded, and refused when they are not a compiled
// scenario or do not belong together.
#include "decompiler/compiled_input.h"

#include "compiler/arithmetic.h"
#include "compiler/codes.h"
#include "compiler/field_reader.h"

namespace tarvosa::decompiler {
namespace {

constexpr std::int16_t kTrackMarker = 5121;
constexpr std::int16_t kTableMarker = 610;
constexpr std::uint16_t kTagInteger = 2;
constexpr std::uint16_t kTagDouble = 5;
constexpr std::uint16_t kTagEmpty = 0;
constexpr std::int64_t kLongestLine = 1000000;

std::optional<DecompileWarning> Refuse(CompiledPart part, std::string reason) {
  return DecompileWarning{part, std::move(reason)};
}

std::string Titles(const ScenarioHeader& h) {
  return Quoted(h[kRouteEntry].name) + " and " + Quoted(h[kTrainEntry].name);
}

// Rows 0 and 1 the origin, then the computed rows, then empty ones.
bool PlanColumnLaidOut(const std::vector<PlanElement>& column, double second_row) {
  if (column.size() < 2 || column[0].tag != kTagInteger || column[0].value != 0 ||
      column[1].tag != kTagInteger || column[1].value != second_row) {
    return false;
  }
  std::size_t m = 2;
  while (m < column.size() && column[m].tag == kTagDouble) ++m;
  while (m < column.size() && column[m].tag == kTagEmpty) ++m;
  return m == column.size();
}

std::size_t ComputedRows(const std::vector<PlanElement>& column) {
  std::size_t m = 2;
  while (m < column.size() && column[m].tag == kTagDouble) ++m;
  return m;
}

std::optional<DecompileWarning> CheckPlan(std::string_view bytes, std::int64_t length,
                                          CompiledInput& in) {
  auto plan = DecodeLineData(bytes);
  if (!plan || !PlanColumnLaidOut(plan->first, 0) || !PlanColumnLaidOut(plan->second, 1) ||
      ComputedRows(plan->first) != ComputedRows(plan->second)) {
    return Refuse(CompiledPart::kPlan,
                  "its " + std::to_string(bytes.size()) + " bytes are not the plan of a line");
  }
  const std::int64_t rows = static_cast<std::int64_t>(plan->first.size());
  if (rows != length + 7001) {
    return Refuse(CompiledPart::kPlan, "the plan has " + std::to_string(rows) +
                                           " rows, but the table's line length of " +
                                           std::to_string(length) + " m gives " +
                                           std::to_string(length + 7001) +
                                           ": the plan belongs to another scenario");
  }
  in.plan = std::move(*plan);
  return std::nullopt;
}

std::optional<DecompileWarning> CheckTogether(const CompiledInput& in) {
  const ScenarioHeader& h = in.header;
  const std::int64_t length = h[kNumbersEntry].end;
  if (length > kLongestLine) {
    return Refuse(CompiledPart::kTable, "its line length of " + std::to_string(length) +
                                            " m (entry 84) is more than a scenario may have, "
                                            "1000000 m");
  }
  const std::int64_t cells = RoundHalfEven(length + 7000, 50) + 1;
  if (static_cast<std::int64_t>(in.cells.size()) != cells) {
    return Refuse(CompiledPart::kTrack,
                  "the track has " + std::to_string(in.cells.size()) +
                      " cells, but the table's line length of " + std::to_string(length) +
                      " m (entry 84) gives " + std::to_string(cells) +
                      ": the track and the table belong to different scenarios");
  }
  if (h[kRouteEntry].time != codice_gara_st(h)) {
    return Refuse(CompiledPart::kTable, "its check code " + std::to_string(h[kRouteEntry].time) +
                                            " is not the one of its titles " + Titles(h) + ", " +
                                            std::to_string(codice_gara_st(h)));
  }
  if (in.cells[1].value_b != codice_gara_og(h)) {
    return Refuse(CompiledPart::kTrack,
                  "the check code in cell 1, " + std::to_string(in.cells[1].value_b) +
                      ", is not the one of the table's titles " + Titles(h) + ", " +
                      std::to_string(codice_gara_og(h)) +
                      ": the track and the table belong to different scenarios");
  }
  return std::nullopt;
}

}  // namespace

std::optional<DecompileWarning> ReadCompiled(const CompiledBytes& files, CompiledInput& in) {
  auto cells = DecodeTrackCells(files.track);
  if (!cells || cells->size() < 2 || (*cells)[1].value_a != kTrackMarker) {
    return Refuse(CompiledPart::kTrack, "its " + std::to_string(files.track.size()) +
                                            " bytes are not a compiled track (cells of 15 "
                                            "bytes, the marker 5121 in cell 1)");
  }
  auto header = DecodeScenarioHeader(files.table);
  if (!header || (*header)[kRouteEntry].word_a != kTableMarker) {
    return Refuse(CompiledPart::kTable, "its " + std::to_string(files.table.size()) +
                                            " bytes are not a compiled scenario table (87 "
                                            "entries, the marker 610 in entry 85)");
  }
  in.cells = std::move(*cells);
  in.header = std::move(*header);
  if (auto refusal = CheckTogether(in)) return refusal;
  if (files.plan) return CheckPlan(*files.plan, in.header[kNumbersEntry].end, in);
  return std::nullopt;
}

}  // namespace tarvosa::decompiler
