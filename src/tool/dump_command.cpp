#include "tool/dump_command.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <vector>

#include <nlohmann/json.hpp>

#include "compiler/compiled_files.h"
#include "tool/compile_command.h"
#include "util/files.h"
#include "util/windows1252.h"

namespace tarvosa::tool {
namespace {

using Json = nlohmann::ordered_json;

// One table: named columns, rows of values (numbers or texts).
struct Table {
  std::vector<std::string> columns;
  std::vector<std::vector<Json>> rows;
};

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

Table TrackTable(const std::vector<TrackCell>& cells) {
  Table t{{"cell", "kind", "meaning", "value_a", "value_b", "value_c", "value_d", "signal_time",
           "approach_code", "montagna_kind", "speed_kmh", "gradient", "adhesion"},
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

std::string Role(std::size_t entry, const ScenarioEntry& e) {
  if (entry == kRouteEntry) return "route";
  if (entry == kTrainEntry) return "train";
  if (entry == kNumbersEntry) return "train and line numbers";
  if (entry >= kReferenceTre) return "kilometre reference";
  if (e.kind != 0 || e.position != 0 || e.start != 0 || e.end != 0) return "station";
  return "board text";
}

bool Empty(const ScenarioEntry& e) {
  return e == ScenarioEntry{};
}

Table ScenarioTable(const ScenarioHeader& header) {
  Table t{{"entry", "role", "name", "kind", "start", "end", "position", "flag_a", "word_a",
           "word_b", "word_c", "word_d", "word_e", "byte_a", "byte_b", "byte_c", "byte_d", "time"},
          {}};
  for (std::size_t i = 0; i < header.size(); ++i) {
    const ScenarioEntry& e = header[i];
    if (Empty(e)) continue;
    t.rows.push_back({i, Role(i, e), Windows1252ToUtf8(e.name), e.kind, e.start, e.end, e.position,
                      e.flag_a, e.word_a, e.word_b, e.word_c, e.word_d, e.word_e, e.byte_a,
                      e.byte_b, e.byte_c, e.byte_d, e.time});
  }
  return t;
}

Json ElementValue(const PlanElement& e) {
  if (e.tag == 0) return nullptr;
  return e.value;
}

Table PlanTable(const DecodedPlan& plan, long step) {
  Table t{{"row", "x", "y"}, {}};
  for (std::size_t row = 0; row < plan.first.size(); row += static_cast<std::size_t>(step)) {
    t.rows.push_back({row, ElementValue(plan.first[row]), ElementValue(plan.second[row])});
  }
  return t;
}

std::string Cell(const Json& value) {
  if (value.is_null()) return "";
  if (value.is_string()) return value.get<std::string>();
  if (value.is_number_float()) {
    char text[40];
    std::snprintf(text, sizeof text, "%.6f", value.get<double>());
    return text;
  }
  return value.dump();
}

std::string Csv(const std::string& text) {
  if (text.find_first_of(",\"\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

void Print(const Table& t, const std::string& format, std::ostream& out) {
  if (format == "json") {
    Json rows = Json::array();
    for (const auto& row : t.rows) {
      Json object;
      for (std::size_t i = 0; i < row.size(); ++i) object[t.columns[i]] = row[i];
      rows.push_back(object);
    }
    out << rows.dump(2) << "\n";
    return;
  }
  const bool csv = format == "csv";
  std::vector<std::size_t> widths(t.columns.size());
  for (std::size_t i = 0; i < t.columns.size(); ++i) widths[i] = t.columns[i].size();
  for (const auto& row : t.rows) {
    for (std::size_t i = 0; i < row.size(); ++i)
      widths[i] = std::max(widths[i], Cell(row[i]).size());
  }
  const auto line = [&](const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (csv) {
        out << (i ? "," : "") << Csv(cells[i]);
      } else {
        out << (i ? "  " : "") << std::string(widths[i] - cells[i].size(), ' ') << cells[i];
      }
    }
    out << "\n";
  };
  line(t.columns);
  for (const auto& row : t.rows) {
    std::vector<std::string> cells;
    for (const Json& value : row) cells.push_back(Cell(value));
    line(cells);
  }
}

// The file decoded by the kind asked for, or by the first layout it fits.
std::optional<Table> Decode(const std::string& bytes, const DumpOptions& options) {
  const std::string& kind = options.kind;
  if (kind.empty() || kind == "table") {
    if (auto header = DecodeScenarioHeader(bytes)) return ScenarioTable(*header);
  }
  if (kind.empty() || kind == "plan") {
    if (auto plan = DecodeLineData(bytes)) return PlanTable(*plan, options.step);
  }
  if (kind.empty() || kind == "track") {
    if (auto cells = DecodeTrackCells(bytes)) return TrackTable(*cells);
  }
  return std::nullopt;
}

}  // namespace

int RunDump(const DumpOptions& options) {
  const auto bytes = ReadWholeFile(options.file);
  if (!bytes) {
    std::fprintf(stderr, "%s: cannot read the file\n", options.file.c_str());
    return kFileSystem;
  }
  const auto table = Decode(*bytes, options);
  if (!table) {
    const std::string what =
        options.kind.empty() ? "any compiled file" : "a " + options.kind + " file";
    std::fprintf(stderr, "%s: its %zu bytes do not have the layout of %s\n", options.file.c_str(),
                 bytes->size(), what.c_str());
    return kDataError;
  }
  if (options.output.empty()) {
    Print(*table, options.format, std::cout);
    return kClean;
  }
  std::ostringstream text;
  Print(*table, options.format, text);
  if (const Status s = ReplaceFileContent(options.output, text.str()); !s.ok()) {
    std::fprintf(stderr, "%s\n", s.message().c_str());
    return kFileSystem;
  }
  return kClean;
}

}  // namespace tarvosa::tool
