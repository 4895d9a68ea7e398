#include "documents/generated_timetable.h"

#include <algorithm>
#include <optional>

#include "documents/sheet_text.h"

namespace tarvosa {
namespace {

constexpr std::size_t kBoxWidth = 80;
constexpr std::size_t kLocalityWidth = 27;

std::string BoxLine(std::string_view inner) {
  return " |" + Left(inner, kBoxWidth) + "|";
}

std::string FirstName(const RouteFacts& facts) {
  return facts.stations.empty() ? "" : facts.stations.front().name;
}
std::string LastName(const RouteFacts& facts) {
  return facts.stations.empty() ? "" : facts.stations.back().name;
}

void TrainBox(const RouteFacts& facts, std::string_view train, DocumentLines& lines) {
  lines.push_back(Repeat(' ', 32) + "SCHEDA ORARIO");
  lines.push_back("  " + Repeat('_', kBoxWidth));
  lines.push_back(BoxLine(Repeat(' ', 33) + "Treno " + std::string(train)));
  lines.push_back(BoxLine("Origine Treno: " + FirstName(facts)));
  lines.push_back(BoxLine("Destino Treno: " + LastName(facts)));
  lines.push_back(" |" + Repeat('_', kBoxWidth) + "|");
  lines.push_back(" ");
}

// A row of the station table; `fill` pads its cells.
std::string StationRow(const std::vector<std::string>& cells, std::size_t locality, char fill) {
  const std::size_t widths[] = {4, 7, 7, locality, 8, 8, 6, 6};
  std::string row = " |";
  for (std::size_t i = 0; i < cells.size(); ++i) row += Left(cells[i], widths[i], fill) + "|";
  return row;
}

void StationTable(const RouteFacts& facts, DocumentLines& lines) {
  std::size_t locality = kLocalityWidth;
  for (const StationFact& s : facts.stations) locality = std::max(locality, Characters(s.name));
  // The cells and the seven rules between them.
  const std::size_t width = 4 + 7 + 7 + locality + 8 + 8 + 6 + 6 + 7;
  lines.push_back("  " + Repeat('_', width));
  lines.push_back(StationRow({"_Pr_", "N.Treno", "_Class_", Left("_______Località", locality, '_'),
                              "__Arr___", "__Part__", "", ""},
                             locality, '_'));
  for (std::size_t i = 0; i < facts.stations.size(); ++i) {
    const StationFact& station = facts.stations[i];
    const bool last = i + 1 == facts.stations.size();
    const char fill = last ? ' ' : '_';
    const std::string time = station.time > 0 ? TimetableTime(station.time) : "";
    std::string number(1, fill);
    number += std::to_string(i + 1);
    lines.push_back(
        StationRow({number, "", "", station.name, last ? time : "", last ? "" : time, "", ""},
                   locality, fill));
  }
  lines.push_back(StationRow({"", "", "", "", "", "", "", ""}, locality, '_'));
  lines.push_back("");
}

// A row of the speed table: a line speed that starts there, a service
// locality, or both.
struct SpeedRow {
  std::int32_t position = 0;
  std::optional<int> speed;
  std::string locality;
  bool station = false;
};

std::vector<SpeedRow> SpeedRows(const RouteFacts& facts) {
  std::vector<SpeedRow> rows;
  for (const StationFact& s : facts.stations) rows.push_back({s.position, {}, s.name, true});
  for (const TunnelFact& t : facts.tunnels) {
    rows.push_back({t.start, {}, "Imb.Gall.", false});
    if (t.end <= facts.line_length) rows.push_back({t.end, {}, "Sb.Gall.", false});
  }
  std::stable_sort(rows.begin(), rows.end(),
                   [](const SpeedRow& a, const SpeedRow& b) { return a.position < b.position; });
  for (const SpeedChange& change : facts.speeds) {
    const auto at = std::find_if(rows.begin(), rows.end(), [&](const SpeedRow& row) {
      return row.position >= change.position;
    });
    if (at != rows.end() && at->position == change.position) {
      at->speed = change.speed;
    } else {
      rows.insert(at, {change.position, change.speed, "", false});
    }
  }
  return rows;
}

std::string SpeedLine(const std::string& speed, const std::string& kilometres,
                      const std::string& locality) {
  return "  |" + speed + "|" + kilometres + "|" + locality + "|";
}

void SpeedTable(const RouteFacts& facts, DocumentLines& lines) {
  const std::vector<SpeedRow> rows = SpeedRows(facts);
  std::size_t locality = 24;
  for (const SpeedRow& row : rows) locality = std::max(locality, Characters(row.locality) + 2);
  const std::size_t width = 2 + 1 + 8 + 1 + 18 + 1 + locality + 1;
  lines.push_back(Repeat('.', 81));
  lines.push_back("  ");
  lines.push_back("  Linea " + FirstName(facts) + "-" + LastName(facts) + " ");
  lines.push_back("   " + Repeat('_', width - 4));
  lines.push_back(
      SpeedLine("Velocità", "  Progr. Chilom.  ", Centre("Località di Servizio", locality)));
  lines.push_back(SpeedLine("Max_Km/h", Repeat('_', 18), Repeat('_', locality)));
  for (const SpeedRow& row : rows) {
    const std::string speed =
        row.speed ? Right(std::to_string(*row.speed), 6) + "  " : Repeat(' ', 8);
    const std::string track = row.station ? "  |||" : "   ||";
    lines.push_back(SpeedLine(speed, track + Right(Kilometres(row.position), 10) + "   ",
                              "  " + Left(row.locality, locality - 2)));
  }
  lines.push_back(SpeedLine(Repeat('_', 8), Repeat('_', 18), Repeat('_', locality)));
}

}  // namespace

DocumentLines GenerateTimetable(const RouteFacts& facts, std::string_view train_title) {
  DocumentLines lines;
  TrainBox(facts, train_title, lines);
  StationTable(facts, lines);
  SpeedTable(facts, lines);
  return lines;
}

}  // namespace tarvosa
