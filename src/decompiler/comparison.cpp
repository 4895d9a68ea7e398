#include "decompiler/comparison.h"

#include <bit>
#include <functional>

#include "compiler/messages.h"

namespace tarvosa::decompiler {
namespace {

// Past this many cells or entries, the rest are counted.
constexpr std::size_t kShown = 20;

template <typename Record>
struct Member {
  const char* name;
  std::function<std::string(const Record&)> shown;
};

template <typename Record, typename T>
Member<Record> Number(const char* name, T Record::*member) {
  return {name, [member](const Record& r) { return std::to_string(r.*member); }};
}

const std::vector<Member<TrackCell>>& CellMembers() {
  static const std::vector<Member<TrackCell>> members = {
      Number("kind", &TrackCell::kind),
      Number("value_a", &TrackCell::value_a),
      Number("value_b", &TrackCell::value_b),
      Number("value_c", &TrackCell::value_c),
      Number("value_d", &TrackCell::value_d),
      Number("signal_time", &TrackCell::signal_time),
      Number("approach_code", &TrackCell::approach_code),
      Number("montagna_kind", &TrackCell::montagna_kind),
      Number("speed_limit", &TrackCell::speed_limit),
      Number("gradient", &TrackCell::gradient),
      Number("adhesion", &TrackCell::adhesion)};
  return members;
}

const std::vector<Member<ScenarioEntry>>& EntryMembers() {
  static const std::vector<Member<ScenarioEntry>> members = {
      Number("kind", &ScenarioEntry::kind),
      Number("start", &ScenarioEntry::start),
      Number("end", &ScenarioEntry::end),
      Number("position", &ScenarioEntry::position),
      Number("flag_a", &ScenarioEntry::flag_a),
      {"name", [](const ScenarioEntry& e) { return Quoted(e.name); }},
      Number("word_a", &ScenarioEntry::word_a),
      Number("word_b", &ScenarioEntry::word_b),
      Number("word_c", &ScenarioEntry::word_c),
      Number("word_d", &ScenarioEntry::word_d),
      Number("word_e", &ScenarioEntry::word_e),
      Number("byte_a", &ScenarioEntry::byte_a),
      Number("byte_b", &ScenarioEntry::byte_b),
      Number("byte_c", &ScenarioEntry::byte_c),
      Number("byte_d", &ScenarioEntry::byte_d),
      Number("time", &ScenarioEntry::time)};
  return members;
}

// "the texts give kind 12 where the file holds 0, ..."
template <typename Record>
std::string Differences(const std::vector<Member<Record>>& members, const Record& file,
                        const Record& texts) {
  std::string text;
  for (const Member<Record>& m : members) {
    const std::string in_file = m.shown(file), in_texts = m.shown(texts);
    if (in_file == in_texts) continue;
    text += (text.empty() ? "" : ", ") + std::string(m.name) + " " + in_texts +
            " where the file holds " + in_file;
  }
  return "the texts give " + text;
}

void Counted(std::size_t differing, const std::string& what, CompiledPart part,
             std::vector<DecompileWarning>& out) {
  if (differing <= kShown) return;
  out.push_back({part, std::to_string(differing - kShown) + " more " + what +
                           " differ in the same way or another"});
}

bool Same(const PlanElement& a, const PlanElement& b) {
  return a.tag == b.tag &&
         std::bit_cast<std::uint64_t>(a.value) == std::bit_cast<std::uint64_t>(b.value);
}

}  // namespace

void CompareTrack(const std::vector<TrackCell>& file, const std::vector<TrackCell>& texts,
                  std::vector<DecompileWarning>& out) {
  if (file.size() != texts.size()) {
    out.push_back({CompiledPart::kTrack, "the texts give " + std::to_string(texts.size()) +
                                             " cells where the file holds " +
                                             std::to_string(file.size())});
  }
  std::size_t differing = 0;
  for (std::size_t c = 0; c < std::min(file.size(), texts.size()); ++c) {
    if (file[c] == texts[c] || ++differing > kShown) continue;
    out.push_back({CompiledPart::kTrack, CellText(static_cast<std::int64_t>(c)) + ": " +
                                             Differences(CellMembers(), file[c], texts[c])});
  }
  Counted(differing, "cells", CompiledPart::kTrack, out);
}

void CompareTable(const ScenarioHeader& file, const ScenarioHeader& texts,
                  std::vector<DecompileWarning>& out) {
  std::size_t differing = 0;
  for (std::size_t e = 0; e < file.size(); ++e) {
    if (file[e] == texts[e] || ++differing > kShown) continue;
    out.push_back({CompiledPart::kTable, "entry " + std::to_string(e) + ": " +
                                             Differences(EntryMembers(), file[e], texts[e])});
  }
  Counted(differing, "entries", CompiledPart::kTable, out);
}

void ComparePlan(const DecodedPlan& file, const LineData& texts,
                 std::vector<DecompileWarning>& out) {
  const auto decoded = DecodeLineData(EncodeLineData(texts));
  const std::size_t rows = decoded ? decoded->first.size() : 0;
  if (rows != file.first.size()) {
    out.push_back({CompiledPart::kPlan, "the texts give " + std::to_string(rows) +
                                            " rows where the file holds " +
                                            std::to_string(file.first.size())});
    return;
  }
  std::size_t differing = 0, first = 0;
  for (std::size_t m = 0; m < rows; ++m) {
    if (Same(file.first[m], decoded->first[m]) && Same(file.second[m], decoded->second[m])) {
      continue;
    }
    if (differing++ == 0) first = m;
  }
  if (differing == 0) return;
  out.push_back({CompiledPart::kPlan,
                 "row " + std::to_string(first) + ": the texts give a plan of which " +
                     std::to_string(differing) + " rows differ from the file's, the first here"});
}

}  // namespace tarvosa::decompiler
