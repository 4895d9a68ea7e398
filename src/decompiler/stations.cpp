// The stations, from the table: the length and the extension flag from the
// stretch each one's type gives.
#include "decompiler/recovery.h"

namespace tarvosa::decompiler {
namespace {

bool Empty(const ScenarioEntry& e) {
  return e == ScenarioEntry{};
}

// The length and extension flag a station record is written with, and
// whether they give back the entry's stretch exactly.
struct StretchFields {
  std::int64_t length;
  std::int64_t extension;
  bool exact;
};

StretchFields FieldsOf(const ScenarioEntry& e, bool first) {
  const StationEntry station(e);
  const std::int64_t p = station.position, start = station.start;
  // Types 5 to 8 reach back their whole length and have no extension; the
  // others half of it either side.
  const bool either_side = !StretchClearsExtension(station.type);
  const std::int64_t length = either_side ? 2 * (p - start) : p - start;
  // The first station's flag lengthens its stretch but is stored as 0.
  const std::int64_t extension = !either_side ? 0
                                 : first      ? (station.end - (p + length / 2) == 50 ? 1 : 0)
                                              : station.extension;
  const StationStretch stored{station.start, station.end};
  const bool exact = StretchOf(station.type, p, length, extension != 0) == stored &&
                     (either_side || station.extension == 0);
  return {length, extension, exact};
}

std::string Station(const ScenarioEntry& e, std::size_t index, Recovery& out) {
  const std::string entry = "entry " + std::to_string(index);
  const auto [length, extension, exact] = FieldsOf(e, index == 1);
  if (!exact) {
    out.Warn(CompiledPart::kTable, entry + ": no length gives the station of type " +
                                       std::to_string(e.kind) + " at " +
                                       std::to_string(e.position) + " its stretch from " +
                                       std::to_string(e.start) + " to " + std::to_string(e.end));
  }
  if (length % 100 != 0 || e.position % 50 != 0) {
    out.Warn(CompiledPart::kTable,
             entry +
                 ": the station's progressive or length is off the 50 m or 100 m steps: "
                 "the scenario was compiled with a data error, and the texts compile with it");
  }
  // Any hours, minutes and seconds that add up to the time will do.
  const std::int64_t time = e.time;
  const std::int64_t hours = time >= 0 ? time / 3600 : 0;
  const std::int64_t minutes = time >= 0 ? time % 3600 / 60 : 0;
  const std::int64_t seconds = time >= 0 ? time % 60 : time;
  const auto [name, problem] = TextField(e.name);
  if (!problem.empty()) out.Warn(CompiledPart::kTable, entry + ": the station's name: " + problem);
  const StationEntry s(e);
  return Record("stazione", {s.position, s.type, length, s.field_4, s.field_5, extension, s.field_7,
                             s.field_8, s.field_9, s.field_10, s.field_11, s.field_12, s.field_13,
                             hours, minutes, seconds}) +
         ",  " + name;
}

}  // namespace

void RecoverStations(const CompiledInput& in, Recovery& out) {
  std::size_t count = 0;
  while (count + 1 < kFirstBoardSlot && !Empty(in.header[count + 1])) ++count;
  for (std::size_t e = 1; e <= count; ++e) out.stations.push_back(Station(in.header[e], e, out));
  for (std::size_t e = count + 2; e <= kFirstBoardSlot; ++e) {
    const ScenarioEntry& entry = in.header[e];
    if (!Empty(entry) && entry.kind != 0) {
      out.Warn(CompiledPart::kTable, "entry " + std::to_string(e) +
                                         ": a station after an empty entry cannot be written; "
                                         "left out");
      break;
    }
  }
}

}  // namespace tarvosa::decompiler
