#include "tool/presenters/entry_description.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "compiler/stored_views.h"
#include "util/windows1252.h"

namespace tarvosa::tool {
namespace {

using Members = std::initializer_list<std::string_view>;

std::string Role(std::size_t index, const ScenarioEntry& e) {
  if (index == kRouteEntry) return "route";
  if (index == kTrainEntry) return "train";
  if (index == kNumbersEntry) return "train and line numbers";
  if (index >= kReferenceTre) return "kilometre reference";
  if (EmptyEntry(e)) return "empty";
  if (e.kind != 0 || e.position != 0 || e.start != 0 || e.end != 0) return "station";
  return "board text";
}

Field Name(const ScenarioEntry& e) {
  const std::string name = Windows1252ToUtf8(e.name);
  return {"name", "name", name, name};
}

Field Metres(std::string key, std::string label, std::int64_t value) {
  return NumberField(std::move(key), std::move(label), value, "m");
}

// Fields 4 to 13 of the station's record, in the record's order.
Field StationFlags(const ScenarioEntry& e) {
  const StationEntry s(e);
  const std::vector<int> values = {s.field_4, s.field_5,  s.extension, s.field_7,  s.field_8,
                                   s.field_9, s.field_10, s.field_11,  s.field_12, s.field_13};
  std::string shown;
  for (std::size_t i = 0; i < values.size(); ++i) {
    // Grouped as the record writes them: "1, 0, 0, 4,1,0, 2,1,1, 1".
    const bool joined = i == 4 || i == 5 || i == 7 || i == 8;
    shown += (i == 0 ? "" : joined ? "," : ", ") + std::to_string(values[i]);
  }
  return {"fields_4_to_13", "fields 4-13", values, "(" + shown + ")"};
}

Fields Station(const ScenarioEntry& e) {
  Fields fields = {Name(e),
                   {"time", "time", e.time, e.time == 0 ? "none" : Clock(e.time)},
                   Metres("position", "at", e.position),
                   {"stretch", "stretch", {{"start_m", e.start}, {"end_m", e.end}}, StretchText(e)},
                   NumberField("type", "type", e.kind),
                   StationFlags(e)};
  return fields;
}

Fields Reference(const ScenarioEntry& e) {
  return {Metres("start_m", "start", e.start), Metres("end_m", "end", e.end),
          NumberField("position", "position", e.position)};
}

Fields Numbers(const ScenarioEntry& e) {
  const NumbersEntry numbers(e);
  return {NumberField("braked_weight_percent", "braked weight", numbers.braked_weight_percent, "%"),
          Metres("line_length_m", "line length", numbers.line_length),
          NumberField("coaches", "coaches", numbers.coaches)};
}

Fields Route(const ScenarioEntry& e) {
  const RouteEntry route(e);
  const std::int32_t one = route.background_1, two = route.background_2, three = route.background_3;
  const std::string backgrounds =
      std::to_string(one) + ", " + std::to_string(two) + ", " + std::to_string(three);
  return {Name(e),
          {"backgrounds", "backgrounds", {one, two, three}, "(" + backgrounds + ")"},
          NumberField("marker", "marker", route.marker),
          NumberField("check_code", "check code", route.check_code)};
}

Field Repetition(const TrainEntry<const ScenarioEntry>& train) {
  const std::int32_t from = train.repetition_start, to = train.repetition_end,
                     codes = train.repetition_codes;
  const std::string stretch = std::to_string(from) + " to " + std::to_string(to) + " m";
  const Json value = {{"codes", codes}, {"from_m", from}, {"to_m", to}};
  if (codes == 0) {
    return {"signal_repetition", "signal repetition", value,
            from == 0 && to == 0 ? "off" : "off (" + stretch + ")"};
  }
  return {"signal_repetition", "signal repetition", value,
          std::to_string(codes) + " codes, " + stretch};
}

Fields Train(const ScenarioEntry& e) {
  const TrainEntry train(e);
  char clock[40];
  std::snprintf(clock, sizeof clock, "%02d:%02d:%02d", train.clock_hours, train.clock_minutes,
                train.clock_seconds);
  return {Name(e),
          Repetition(train),
          NumberField("sand", "sand", train.sand),
          {"clock", "clock", clock, clock}};
}

// The members of the entry as stored, each with whether it is 0 or empty.
std::vector<std::tuple<std::string_view, Json, bool>> Stored(const ScenarioEntry& e) {
  const auto number = [](std::string_view name, std::int64_t value) {
    return std::tuple<std::string_view, Json, bool>{name, value, value == 0};
  };
  return {number("kind", e.kind),     number("start", e.start),
          number("end", e.end),       number("position", e.position),
          number("flag_a", e.flag_a), {"name", Windows1252ToUtf8(e.name), e.name.empty()},
          number("word_a", e.word_a), number("word_b", e.word_b),
          number("word_c", e.word_c), number("word_d", e.word_d),
          number("word_e", e.word_e), number("byte_a", e.byte_a),
          number("byte_b", e.byte_b), number("byte_c", e.byte_c),
          number("byte_d", e.byte_d), number("time", e.time)};
}

void AddUnexplained(const ScenarioEntry& e, Members explained, Fields& fields) {
  for (const auto& [member, value, zero] : Stored(e)) {
    if (zero || std::find(explained.begin(), explained.end(), member) != explained.end()) continue;
    const std::string key = "stored_" + std::string(member);
    const std::string shown = value.is_string() ? value.get<std::string>() : value.dump();
    fields.push_back({key, "stored " + std::string(member), value, shown});
  }
}

}  // namespace

bool EmptyEntry(const ScenarioEntry& entry) {
  return entry == ScenarioEntry{};
}

std::string StretchText(const ScenarioEntry& e) {
  return std::to_string(e.start) + " to " + std::to_string(e.end) + " m";
}

EntryDescription DescribeEntry(std::size_t index, const ScenarioEntry& e) {
  EntryDescription d{Role(index, e), {}};
  if (d.role == "station") {
    d.fields = Station(e);
  } else if (d.role == "board text") {
    d.fields = {Name(e)};
    AddUnexplained(e, {"name"}, d.fields);
  } else if (d.role == "kilometre reference") {
    d.fields = Reference(e);
    AddUnexplained(e, {"start", "end", "position"}, d.fields);
  } else if (d.role == "train and line numbers") {
    d.fields = Numbers(e);
    AddUnexplained(e, {"start", "end", "position"}, d.fields);
  } else if (d.role == "route") {
    d.fields = Route(e);
    AddUnexplained(e, {"name", "start", "position", "end", "word_a", "time"}, d.fields);
  } else if (d.role == "train") {
    d.fields = Train(e);
    AddUnexplained(e, {"name", "start", "end", "position", "word_a", "word_c", "word_d", "word_e"},
                   d.fields);
  }
  return d;
}

}  // namespace tarvosa::tool
