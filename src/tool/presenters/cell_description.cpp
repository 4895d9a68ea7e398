#include "tool/presenters/cell_description.h"

#include <array>
#include <optional>
#include <tuple>

#include "compiler/stored_format.h"
#include "compiler/stored_views.h"
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
// train file's record, each field read as one digit (dx below 3).
Fields Signal(const TrackCell& c) {
  const SignalCell signal(c);
  const FieldPair first = SignalPairOf(signal.s1_d1), second = SignalPairOf(signal.s2_d2),
                  third = SignalPairOf(signal.s3_d3), code = SignalPairOf(signal.rapp_sx_dx);
  const std::array<std::pair<const char*, std::int64_t>, 10> values = {{
      {"sx", code.right / 3},
      {"s1", first.left},
      {"s2", second.left},
      {"s3", third.left},
      {"rapp", code.left},
      {"dx", code.right % 3},
      {"d1", first.right},
      {"d2", second.right},
      {"d3", third.right},
      {"time", signal.time},
  }};
  Fields fields;
  for (const auto& [name, value] : values) fields.push_back(NumberField(name, name, value));
  return fields;
}

// "105/110/125".
std::string Speeds(const Json& speeds) {
  std::string text;
  for (const Json& speed : speeds) {
    if (!text.empty()) text += '/';
    text += speed.dump();
  }
  return text;
}

// Three pairs of speeds, left and right, and the stripes.
Fields SpeedBoard(const TrackCell& c) {
  const BoardCell board(c);
  Json left = Json::array(), right = Json::array();
  for (const std::int16_t value : {board.first_speeds, board.second_speeds, board.third_speeds}) {
    const FieldPair speeds = BoardSpeedsOf(value);
    left.push_back(speeds.left);
    right.push_back(speeds.right);
  }
  const FieldPair stripes = BoardStripesOf(board.stripes);
  const std::string left_text = Speeds(left), right_text = Speeds(right);
  const bool right_quiet = right_text == "0/0/0" && stripes.right == 0;
  Field right_stripes = NumberField("right_stripes", "right stripes", stripes.right);
  right_stripes.quiet = right_quiet;
  return {{"left_kmh", "", left, left_text + " km/h"},
          NumberField("left_stripes", "stripes", stripes.left),
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
    case kSlowDownStart: {
      explained = {true, true, true, false, false};
      const SlowDownCell zone(c);
      return {Speed("speed_kmh", zone.speed), NumberField("f_tt", "f_tt", zone.f_tt),
              NumberField("d_v", "d_v", zone.d_v)};
    }
    case kSlowDownWarning: {
      explained = {true, true, false, false, false};
      const SlowDownCell warning(c);
      return {Speed("speed_kmh", warning.speed), NumberField("d_v", "d_v", warning.d_v)};
    }
    case kSlowDownApproach: {
      explained = {true, true, false, false, false};
      const ApproachMarkerCell marker(c);
      return {NumberField("marker", "marker", marker.number),
              NumberField("d_v", "d_v", marker.d_v_number)};
    }
    case kSpeedBoard:
      explained = {true, true, true, true, false};
      return SpeedBoard(c);
    case kStationStop:
      explained.a = true;
      return Entry(track, "station", StationStopCell(c).station);
    case kTextBoard:
      explained.a = true;
      return Entry(track, "text", TextBoardCell(c).text_entry);
    case kBrakingPoint:
      explained.a = true;
      return {Speed("speed_kmh", BrakingPointCell(c).speed)};
    default:
      break;
  }
  if (index == 1 && c.kind == kFree) {
    explained = {true, true, false, false, false};
    const StampedCell stamped(c);
    return {NumberField("marker", "marker", stamped.marker),
            NumberField("check_code", "check code", stamped.check_code)};
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

// The approach code k of a signal stands 2k cells before it; a station's,
// 81 to 84, stands k cells before its stop cell.
void DescribeApproach(const TrackContext& track, std::size_t index, CellDescription& d) {
  const std::uint8_t code = track.cells[index].approach_code;
  if (code == 0) return;
  const std::int64_t k = code % 10;
  const std::int64_t signal = static_cast<std::int64_t>(index) + 2 * k;
  const TrackCell* s = CellAt(track.cells, signal);
  d.approach = {{"code", code}};
  if (k >= 1 && k <= kApproachCodes && s != nullptr && s->kind == kSignal &&
      SignalApproachCode(FloorMod(SignalCell(*s).rapp_sx_dx, 10), k) == code) {
    d.approach["before"] = "signal";
    d.approach["cell"] = signal;
    d.approach["metres"] = FeatureProgressive(signal);
    d.approach_text = std::to_string(100 * k) + " m before the signal at " +
                      std::to_string(FeatureProgressive(signal)) + " m (code " +
                      std::to_string(code) + ")";
    return;
  }
  const std::int64_t stop = static_cast<std::int64_t>(index) + k;
  const TrackCell* t = CellAt(track.cells, stop);
  if (code >= StationApproachCode(1) && code <= StationApproachCode(kApproachCodes) &&
      t != nullptr && t->kind == kStationStop) {
    const std::int64_t station = StationStopCell(*t).station;
    d.approach["before"] = "station stop";
    d.approach["cell"] = stop;
    d.approach["metres"] = FeatureProgressive(stop);
    d.approach["station_entry"] = station;
    const auto name = EntryName(track, station);
    if (name && !name->empty()) d.approach["station"] = *name;
    d.approach_text = std::to_string(50 * k) + " m before the stop of station " +
                      std::to_string(station) + (name && !name->empty() ? " " + *name : "") +
                      " at " + std::to_string(FeatureProgressive(stop)) + " m (code " +
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
  return {NumberField("speed_kmh", "speed", LineSpeedKmh(c.speed_limit), "km/h"),
          NumberField("gradient", "gradient", GradientPerMille(c.gradient)),
          NumberField("adhesion", "adhesion", c.adhesion),
          NumberField("tunnel", "tunnel type", c.montagna_kind)};
}

}  // namespace tarvosa::tool
