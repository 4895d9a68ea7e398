#include "tool/presenters/cell_description.h"

#include <array>
#include <optional>
#include <tuple>

#include "util/windows1252.h"

namespace tarvosa::tool {
namespace {

// Which of value_a, value_b, value_c, value_d and signal_time a kind
// explains.
struct Explained {
  bool a = false, b = false, c = false, d = false, time = false;
};

std::string KindName(std::uint8_t kind) {
  if (kind == kFree) return "";
  if (kind == kStationStop) return "station stop";
  if (kind == kBrakingPointWithoutValue) return "braking point without a speed";
  const std::string_view name = CellKindName(kind);
  if (name == CellKindName(255)) return "unknown kind " + std::to_string(kind);
  return std::string(name);
}

Field Speed(const std::string& key, std::int64_t kmh) {
  return NumberField(key, "speed", kmh, "km/h");
}

// sx, s1, s2, s3, rapp, dx, d1, d2, d3 and the time, in the order of the
// train file's record; value_a = s1 × 10 + d1 and so on, value_d = rapp ×
// 10 + sx × 3 + dx, each field read as one digit (dx below 3).
Fields Signal(const TrackCell& c) {
  const std::int64_t rest = FloorMod(c.value_d, 10);
  const std::array<std::pair<const char*, std::int64_t>, 10> values = {{
      {"sx", rest / 3},
      {"s1", FloorDiv(c.value_a, 10)},
      {"s2", FloorDiv(c.value_b, 10)},
      {"s3", FloorDiv(c.value_c, 10)},
      {"rapp", FloorDiv(c.value_d, 10)},
      {"dx", rest % 3},
      {"d1", FloorMod(c.value_a, 10)},
      {"d2", FloorMod(c.value_b, 10)},
      {"d3", FloorMod(c.value_c, 10)},
      {"time", c.signal_time},
  }};
  Fields fields;
  for (const auto& [name, value] : values) fields.push_back(NumberField(name, name, value));
  return fields;
}

// Three speeds stored as left × 20 + right / 5, and the stripes as left ×
// 10 + right.
// "105/110/125".
std::string Speeds(const Json& speeds) {
  std::string text;
  for (const Json& speed : speeds) {
    if (!text.empty()) text += '/';
    text += speed.dump();
  }
  return text;
}

Fields SpeedBoard(const TrackCell& c) {
  Json left = Json::array(), right = Json::array();
  for (const std::int16_t value : {c.value_a, c.value_b, c.value_c}) {
    left.push_back(FloorDiv(value, 20));
    right.push_back(FloorMod(value, 20) * 5);
  }
  const std::string left_text = Speeds(left), right_text = Speeds(right);
  const bool right_quiet = right_text == "0/0/0" && FloorMod(c.value_d, 10) == 0;
  Field right_stripes = NumberField("right_stripes", "right stripes", FloorMod(c.value_d, 10));
  right_stripes.quiet = right_quiet;
  return {{"left_kmh", "", left, left_text + " km/h"},
          NumberField("left_stripes", "stripes", FloorDiv(c.value_d, 10)),
          {"right_kmh", "right", right, right_text + " km/h", right_quiet},
          right_stripes};
}

// The name of the table entry `entry`, when the table is known and has it.
std::optional<std::string> EntryName(const TrackContext& track, std::int64_t entry) {
  if (track.header == nullptr || entry < 0 || entry >= static_cast<std::int64_t>(kScenarioEntries))
    return std::nullopt;
  return Windows1252ToUtf8((*track.header)[static_cast<std::size_t>(entry)].name);
}

Fields Entry(const TrackContext& track, const std::string& what, std::int64_t entry) {
  Fields fields = {NumberField(what + "_entry", what == "station" ? "station" : "entry", entry)};
  const auto name = EntryName(track, entry);
  if (name && !name->empty()) fields.push_back({what, "", *name, *name});
  return fields;
}

Fields KindValues(const TrackContext& track, std::size_t index, Explained& explained) {
  const TrackCell& c = track.cells[index];
  switch (c.kind) {
    case kSignal:
      explained = {true, true, true, true, true};
      return Signal(c);
    case kSlowDownEnd:
    case kSlowDownStart:
      explained = {true, true, true, false, false};
      return {Speed("speed_kmh", c.value_a), NumberField("f_tt", "f_tt", c.value_c),
              NumberField("d_v", "d_v", c.value_b)};
    case kSlowDownWarning:
      explained = {true, true, false, false, false};
      return {Speed("speed_kmh", c.value_a), NumberField("d_v", "d_v", c.value_b)};
    case kSlowDownApproach:
      explained = {true, true, false, false, false};
      return {NumberField("marker", "marker", c.value_a), NumberField("d_v", "d_v", c.value_b)};
    case kSpeedBoard:
      explained = {true, true, true, true, false};
      return SpeedBoard(c);
    case kStationStop:
      explained.a = true;
      return Entry(track, "station", c.value_a);
    case kTextBoard:
      explained.a = true;
      return Entry(track, "text", c.value_a);
    case kBrakingPoint:
      explained.a = true;
      return {Speed("speed_kmh", c.value_a)};
    default:
      break;
  }
  if (index == 1 && c.kind == kFree) {
    explained = {true, true, false, false, false};
    return {NumberField("marker", "marker", c.value_a),
            NumberField("check_code", "check code", c.value_b)};
  }
  return {};
}

// The stored values the kind does not explain, when they are not 0.
void AddUnexplained(const TrackCell& c, const Explained& explained, Fields& fields) {
  const std::array<std::tuple<bool, const char*, std::int64_t>, 5> stored = {{
      {explained.a, "value_a", c.value_a},
      {explained.b, "value_b", c.value_b},
      {explained.c, "value_c", c.value_c},
      {explained.d, "value_d", c.value_d},
      {explained.time, "signal_time", c.signal_time},
  }};
  for (const auto& [known, name, value] : stored) {
    if (!known && value != 0) fields.push_back(NumberField(name, name, value));
  }
}

// The approach code k of a signal stands 2k cells before it and is
// (sx × 3 + dx) × 10 + k; a station's, 81 to 84, stands k cells before its
// stop cell.
void DescribeApproach(const TrackContext& track, std::size_t index, CellDescription& d) {
  const std::uint8_t code = track.cells[index].approach_code;
  if (code == 0) return;
  const std::int64_t k = code % 10;
  const std::int64_t signal = static_cast<std::int64_t>(index) + 2 * k;
  const TrackCell* s = CellAt(track.cells, signal);
  d.approach = {{"code", code}};
  if (k >= 1 && k <= 4 && s != nullptr && s->kind == kSignal &&
      (FloorMod(s->value_d, 10) * 10 + k) % 256 == code) {
    d.approach["before"] = "signal";
    d.approach["cell"] = signal;
    d.approach["metres"] = CellMetres(signal);
    d.approach_text = std::to_string(100 * k) + " m before the signal at " +
                      std::to_string(CellMetres(signal)) + " m (code " + std::to_string(code) + ")";
    return;
  }
  const std::int64_t stop = static_cast<std::int64_t>(index) + k;
  const TrackCell* t = CellAt(track.cells, stop);
  if (code >= 81 && code <= 84 && t != nullptr && t->kind == kStationStop) {
    d.approach["before"] = "station stop";
    d.approach["cell"] = stop;
    d.approach["metres"] = CellMetres(stop);
    d.approach["station_entry"] = t->value_a;
    const auto name = EntryName(track, t->value_a);
    if (name && !name->empty()) d.approach["station"] = *name;
    d.approach_text = std::to_string(50 * k) + " m before the stop of station " +
                      std::to_string(t->value_a) + (name && !name->empty() ? " " + *name : "") +
                      " at " + std::to_string(CellMetres(stop)) + " m (code " +
                      std::to_string(code) + ")";
    return;
  }
  d.approach_text = "code " + std::to_string(code);
}

}  // namespace

CellDescription DescribeCell(const TrackContext& track, std::size_t index) {
  const TrackCell& c = track.cells[index];
  CellDescription d;
  d.kind = KindName(c.kind);
  Explained explained;
  d.what = KindValues(track, index, explained);
  AddUnexplained(c, explained, d.what);
  DescribeApproach(track, index, d);
  return d;
}

std::string WhatText(const CellDescription& d) {
  std::string text = FieldsText(d.what);
  if (!d.approach_text.empty()) {
    text += (text.empty() ? "" : "; ") + std::string("approach: ") + d.approach_text;
  }
  return text;
}

std::string CellText(const CellDescription& d) {
  const std::string what = WhatText(d);
  if (d.kind.empty()) return what.empty() ? "nothing" : what;
  return what.empty() ? d.kind : d.kind + ": " + what;
}

Fields Profile(const TrackCell& c) {
  return {NumberField("speed_kmh", "speed", c.speed_limit * 5, "km/h"),
          NumberField("gradient", "gradient", static_cast<int>(c.gradient) - 100),
          NumberField("adhesion", "adhesion", c.adhesion),
          NumberField("tunnel", "tunnel type", c.montagna_kind)};
}

}  // namespace tarvosa::tool
