#include "tool/presenters/raw_tables.h"

#include <map>
#include <string>

#include "util/windows1252.h"

namespace tarvosa::tool {
namespace {

std::vector<Column> Columns(std::initializer_list<const char*> names) {
  std::vector<Column> columns;
  for (const char* name : names) columns.push_back({name});
  return columns;
}

std::string KindMeaning(std::uint8_t kind) {
  static const std::map<std::uint8_t, std::string> kMeanings = {
      {kFree, ""},
      {kSignal, "signal"},
      {kSlowDownEnd, "slow-down end"},
      {kSlowDownStart, "slow-down start"},
      {kSlowDownWarning, "slow-down warning board"},
      {kSlowDownApproach, "slow-down approach marker"},
      {kSpeedBoard, "speed-indicator board"},
      {kStationStop, "station stop"},
      {kTunnelMarker, "tunnel marker"},
      {kBrakingPoint, "braking point"},
      {kBrakingPointWithoutValue, "braking point without value"},
      {kTextBoard, "text board"}};
  const auto it = kMeanings.find(kind);
  return it == kMeanings.end() ? "unknown" : it->second;
}

std::string Role(std::size_t entry, const ScenarioEntry& e) {
  if (entry == kRouteEntry) return "route";
  if (entry == kTrainEntry) return "train";
  if (entry == kNumbersEntry) return "train and line numbers";
  if (entry >= kReferenceTre) return "kilometre reference";
  if (e.kind != 0 || e.position != 0 || e.start != 0 || e.end != 0) return "station";
  return "board text";
}

Json ElementValue(const PlanElement& e) {
  if (e.tag == 0) return nullptr;
  return e.value;
}

}  // namespace

Table RawTrackTable(const std::vector<TrackCell>& cells) {
  Table t{
      Columns({"cell", "kind", "meaning", "value_a", "value_b", "value_c", "value_d", "signal_time",
               "approach_code", "montagna_kind", "speed_kmh", "gradient", "adhesion"}),
      {}};
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const TrackCell& c = cells[i];
    if (c.kind == kFree && c.value_a == 0 && c.value_b == 0 && c.value_c == 0 && c.value_d == 0 &&
        c.approach_code == 0 && c.montagna_kind == 0 && c.signal_time == 0) {
      continue;  // nothing but the profiles
    }
    t.rows.push_back({i, c.kind, KindMeaning(c.kind), c.value_a, c.value_b, c.value_c, c.value_d,
                      c.signal_time, c.approach_code, c.montagna_kind, c.speed_limit * 5,
                      static_cast<int>(c.gradient) - 100, c.adhesion});
  }
  return t;
}

Table RawScenarioTable(const ScenarioHeader& header) {
  Table t{Columns({"entry", "role", "name", "kind", "start", "end", "position", "flag_a", "word_a",
                   "word_b", "word_c", "word_d", "word_e", "byte_a", "byte_b", "byte_c", "byte_d",
                   "time"}),
          {}};
  for (std::size_t i = 0; i < header.size(); ++i) {
    const ScenarioEntry& e = header[i];
    if (e == ScenarioEntry{}) continue;
    t.rows.push_back({i, Role(i, e), Windows1252ToUtf8(e.name), e.kind, e.start, e.end, e.position,
                      e.flag_a, e.word_a, e.word_b, e.word_c, e.word_d, e.word_e, e.byte_a,
                      e.byte_b, e.byte_c, e.byte_d, e.time});
  }
  return t;
}

Table RawPlanTable(const DecodedPlan& plan, long step) {
  Table t{Columns({"row", "x", "y"}), {}};
  for (std::size_t row = 0; row < plan.first.size(); row += static_cast<std::size_t>(step)) {
    t.rows.push_back({row, ElementValue(plan.first[row]), ElementValue(plan.second[row])});
  }
  return t;
}

}  // namespace tarvosa::tool
