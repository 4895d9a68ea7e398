// Records as written: the same record twice, tunnel spans that overlap,
// station names with blanks at their ends.
#include <map>

#include "compiler/internal/railway_records.h"
#include "compiler/messages.h"
#include "compiler/stored_format.h"

namespace tarvosa::railway {
namespace {

// A record as two records compare: its file, its keyword in small letters
// without blanks around it, then its values.
std::string KeyOf(const SourceRecord& record) {
  std::string key(1, static_cast<char>(record.keyword.file));
  const std::size_t first = record.name.find_first_not_of(' ');
  if (first != std::string_view::npos) {
    const std::size_t last = record.name.find_last_not_of(' ');
    for (const char c : record.name.substr(first, last + 1 - first)) {
      key += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c;
    }
  }
  for (const RecordValue& value : record.values) {
    key += '\n';
    key += value.is_text ? std::string(value.text) : std::to_string(value.number);
  }
  return key;
}

// Why a span's cells get type 3 rather than its own, when they do.
std::string TypeThreeNote(const SourceRecord* span, const SourceRecord* before) {
  if (before == nullptr || !Holds(*before, 2)) return "";
  if (!SpanFollowsClosely(Number(*span, 0), Number(*before, 1))) return "";
  return "; beginning 150 m or less after the span before it ends, its cells get type 3";
}

}  // namespace

void CheckRepeats(const RailwayRecords& records, const CompileInput& input, Diagnostics& d) {
  std::map<std::string, SourceLocation> seen;
  for (const SourceRecord* record : records.placed) {
    const auto added = seen.emplace(KeyOf(*record), record->keyword);
    if (added.second) continue;
    const SourceLocation& first = added.first->second;
    d.Warn(record->keyword, [&] {
      return "this " + Quoted(record->name) + " record repeats the one on line " +
             std::to_string(LineOf(input, first)) + " word for word";
    });
  }
}

void CheckTunnelSpans(const RailwayRecords& records, const CompileInput& input, Diagnostics& d) {
  const std::vector<const SourceRecord*>& spans = records.tunnels;
  for (std::size_t j = 0; j < spans.size(); ++j) {
    if (!Holds(*spans[j], 2)) continue;
    const std::int64_t start = Number(*spans[j], 0), end = Number(*spans[j], 1);
    for (std::size_t i = 0; i < j; ++i) {
      if (!Holds(*spans[i], 2)) continue;
      const std::int64_t other_start = Number(*spans[i], 0), other_end = Number(*spans[i], 1);
      const bool again = KeyOf(*spans[i]) == KeyOf(*spans[j]);
      if (!again && (start >= other_end || other_start >= end)) continue;
      d.Warn(At(*spans[j], 0), [&] {
        const std::string line = std::to_string(LineOf(input, spans[i]->keyword));
        const std::string what = "the tunnel span from " + Metres(start) + " to " + Metres(end);
        return (again ? what + " repeats the one on line " + line + " word for word"
                      : what + " overlaps the one from " + Metres(other_start) + " to " +
                            Metres(other_end) + " on line " + line) +
               TypeThreeNote(spans[j], spans[j - 1]);
      });
      break;
    }
  }
}

void CheckStationNames(const RailwayRecords& records, Diagnostics& d) {
  for (const SourceRecord* station : records.stations) {
    if (station->values.empty() || !station->values.back().is_text) continue;
    const RecordValue& name = station->values.back();
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    if (name.text.empty() || (!blank(name.text.front()) && !blank(name.text.back()))) continue;
    d.Warn({station->keyword.file, name.offset}, [&] {
      return "the station name " + Quoted(name.text) +
             " has blanks at its start or end, which are stored with it";
    });
  }
}

}  // namespace tarvosa::railway
