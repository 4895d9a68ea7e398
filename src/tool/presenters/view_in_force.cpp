#include "tool/presenters/view_in_force.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "compiler/stored_format.h"
#include "tool/presenters/view_records.h"
#include "util/windows1252.h"

namespace tarvosa::tool {
namespace {

using File = SourceLocation::File;

// A kind of record: its file, a word its keyword holds, and whether its
// progressive names a profile cell (R(p / 50)) or a feature's (R(p / 50 + 1)).
struct Kind {
  const char* name;
  File file;
  const char* word;
  bool profile;
};
constexpr Kind kKinds[] = {
    {"speed", File::kTrain, "velocit", true},
    {"adhesion", File::kTrain, "aderenza", true},
    {"slowdown", File::kTrain, "rallentamento", false},
    {"gradient", File::kLine, "pendenza", true},
    {"curve", File::kLine, "curva", false},
    {"tunnel", File::kLine, "montagna", false},
    {"board", File::kLine, "indicatori_v", false},
};

struct Run {
  std::int64_t from;
  std::optional<std::int64_t> offset;  // the record's keyword; none past a curve's end
};

// The second number of a record, a curve's length.
std::optional<std::int64_t> SecondNumber(std::string_view line) {
  const std::size_t comma = line.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  return ProgressiveOf(line.substr(comma + 1));
}

// The runs of one kind in cell order; a later record at the same cell wins.
std::vector<Run> RunsOf(const Kind& kind, std::string_view bytes) {
  std::vector<Run> runs;
  for (std::size_t from = 0; from < bytes.size();) {
    std::size_t end = bytes.find_first_of("\r\n", from);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string_view line = bytes.substr(from, end - from);
    const std::size_t key = line.find_first_not_of(" \t");
    const std::size_t comma = line.find(',');
    const auto p = ProgressiveOf(line);
    if (p && key < comma &&
        line.substr(key, comma - key).find(kind.word) != std::string_view::npos) {
      runs.push_back(
          {kind.profile ? ProfileCellOf(*p) : CellOf(*p), static_cast<std::int64_t>(from + key)});
      if (const auto length = SecondNumber(line);
          kind.file == File::kLine && length && std::string_view(kind.name) == "curve") {
        runs.push_back({CellOf(*p + std::max<std::int64_t>(0, *length)), std::nullopt});
      }
    }
    from = end + 1;
  }
  std::stable_sort(runs.begin(), runs.end(),
                   [](const Run& a, const Run& b) { return a.from < b.from; });
  return runs;
}

}  // namespace

Json RecordsInForce(const ViewSources& sources, std::int64_t last_cell) {
  Json out = Json::object();
  for (const Kind& kind : kKinds) {
    const std::string_view bytes =
        kind.file == File::kLine ? sources.line.bytes : sources.train.bytes;
    std::vector<Run> runs = RunsOf(kind, bytes);
    std::erase_if(runs, [&](const Run& r) { return r.from > last_cell; });
    std::vector<SourceLocation> places;
    for (const Run& r : runs)
      if (r.offset) places.push_back({kind.file, *r.offset});
    const std::vector<std::string> where = WhereAll(places, sources.line, sources.train);
    Json list = Json::array();
    std::size_t next = 0;
    for (const Run& r : runs) {
      if (!r.offset) {
        list.push_back(Json::array({r.from}));
        continue;
      }
      list.push_back(
          Json::array({r.from, where[next++], Windows1252ToUtf8(LineAt(bytes, *r.offset))}));
    }
    out[kind.name] = std::move(list);
  }
  return out;
}

}  // namespace tarvosa::tool
