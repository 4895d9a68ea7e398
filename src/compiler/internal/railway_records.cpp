#include "compiler/internal/railway_records.h"

#include <algorithm>

#include "compiler/internal/field_reader.h"
#include "compiler/internal/railway_checks.h"
#include "util/text_position.h"

namespace tarvosa {
namespace railway {

namespace {

constexpr std::string_view kTrainPlaced[] = {"velocit", "aderenza",      "stazione",
                                             "segnale", "rallentamento", "abbattimento"};
constexpr std::string_view kLinePlaced[] = {"pendenza", "curva", "indicatori_v", "cartello"};

template <std::size_t N>
bool ContainsAny(std::string_view name, const std::string_view (&keywords)[N]) {
  for (const std::string_view keyword : keywords) {
    if (Contains(name, keyword)) return true;
  }
  return false;
}

}  // namespace

RailwayRecords SortRecords(const SourceRecords& records) {
  RailwayRecords sorted;
  for (const SourceRecord& record : records) {
    const std::string_view name = record.name;
    if (record.keyword.file == SourceLocation::File::kTrain) {
      if (Contains(name, "stazione")) sorted.stations.push_back(&record);
      if (Contains(name, "velocit")) sorted.speeds.push_back(&record);
      if (Contains(name, "orologio")) sorted.clocks.push_back(&record);
      if (ContainsAny(name, kTrainPlaced)) sorted.placed.push_back(&record);
      continue;
    }
    if (ContainsAny(name, kLinePlaced)) sorted.placed.push_back(&record);
    if (Contains(name, "indicatori_v")) sorted.boards.push_back(&record);
    if (Contains(name, "curva")) sorted.curves.push_back(&record);
    if (Contains(name, "pendenza")) sorted.gradients.push_back(&record);
    if (Contains(name, "montagna")) sorted.tunnels.push_back(&record);
  }
  return sorted;
}

bool Holds(const SourceRecord& record, std::size_t count) {
  return record.values.size() >= count;
}

std::int64_t Number(const SourceRecord& record, std::size_t i) {
  return record.values[i].number;
}

SourceLocation At(const SourceRecord& record, std::size_t i) {
  return {record.keyword.file, record.values[i].offset};
}

std::size_t LineOf(const CompileInput& input, const SourceLocation& at) {
  const auto& text = at.file == SourceLocation::File::kLine ? input.line_text : input.train_text;
  if (!text || at.offset < 0) return 0;
  return PositionOf(*text, static_cast<std::size_t>(at.offset)).line;
}

SpeedProfile::SpeedProfile(const std::vector<const SourceRecord*>& speeds) {
  for (const SourceRecord* record : speeds) {
    if (Holds(*record, 2)) steps_.push_back({Number(*record, 0), Number(*record, 1)});
  }
  // Out of order records are warned of where they are read; here the
  // profile is taken as meant.
  std::stable_sort(steps_.begin(), steps_.end(),
                   [](const Step& a, const Step& b) { return a.progressive < b.progressive; });
}

std::int64_t SpeedProfile::At(std::int64_t progressive) const {
  const auto after =
      std::upper_bound(steps_.begin(), steps_.end(), progressive,
                       [](std::int64_t p, const Step& step) { return p < step.progressive; });
  return after == steps_.begin() ? 0 : std::prev(after)->speed;
}

std::int64_t SpeedProfile::HighestBetween(std::int64_t from, std::int64_t to) const {
  std::int64_t highest = At(from);
  for (const Step& step : steps_) {
    if (step.progressive > from && step.progressive < to) highest = std::max(highest, step.speed);
  }
  return highest;
}

std::int64_t SpeedProfile::FirstBetween(std::int64_t from, std::int64_t to) const {
  const auto first =
      std::lower_bound(steps_.begin(), steps_.end(), from,
                       [](const Step& step, std::int64_t p) { return step.progressive < p; });
  return first != steps_.end() && first->progressive <= to ? first->speed : 0;
}

}  // namespace railway

void CheckRailway(const SourceRecords& records, const CompileInput& input, Diagnostics& d) {
  using namespace railway;
  const RailwayRecords sorted = SortRecords(records);
  const SpeedProfile speeds(sorted.speeds);
  CheckTimetable(sorted, speeds, d);
  CheckBoards(sorted, speeds, d);
  CheckCurves(sorted, speeds, d);
  CheckReverseCurves(sorted, d);
  CheckGradients(sorted, d);
  CheckRepeats(sorted, input, d);
  CheckTunnelSpans(sorted, input, d);
  CheckStationNames(sorted, d);
}

}  // namespace tarvosa
