// The stations, from the table: the length and the extension flag from the
// stretch each one's type gives.
#include "decompiler/recovery.h"

namespace tarvosa::decompiler {
namespace {

bool Empty(const ScenarioEntry& e) {
  return e == ScenarioEntry{};
}

// The length and extension flag that give the entry's stretch; false when
// none does.
bool Stretch(const ScenarioEntry& e, bool first, std::int64_t& length, std::int64_t& extension) {
  const std::int64_t p = e.position, start = e.start, end = e.end;
  extension = 0;
  if (e.kind == 5 || e.kind == 6) {
    length = p - start;
    return end == p + 150 && e.byte_c == 0;
  }
  if (e.kind == 7 || e.kind == 8) {
    length = p - start;
    return end == p + length && e.byte_c == 0;
  }
  length = 2 * (p - start);
  const std::int64_t beyond = end - (p + length / 2);
  // The first station's flag lengthens its stretch but is stored as 0.
  extension = first ? (beyond == 50 ? 1 : 0) : e.byte_c;
  return beyond == (extension != 0 ? 50 : 0);
}

std::string Station(const ScenarioEntry& e, std::size_t index, Recovery& out) {
  const std::string entry = "entry " + std::to_string(index);
  std::int64_t length = 0, extension = 0;
  if (!Stretch(e, index == 1, length, extension)) {
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
  std::string problem;
  const std::string name = TextField(e.name, problem);
  if (!problem.empty()) out.Warn(CompiledPart::kTable, entry + ": the station's name: " + problem);
  return Record("stazione",
                {e.position, e.kind, length, e.flag_a, e.byte_d, extension, e.word_a, e.word_b,
                 e.byte_a, e.word_c, e.word_d, e.word_e, e.byte_b, hours, minutes, seconds}) +
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
