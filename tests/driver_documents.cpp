#include "driver_documents.h"

#include <cctype>
#include <regex>
#include <sstream>

#include "documents/dati_linea.h"
#include "documents/dati_note.h"
#include "documents/dati_rallentamenti.h"
#include "documents/dati_scheda.h"
#include "documents/dati_treno.h"
#include "test_support.h"

namespace tarvosa::testing {
namespace {

std::string Trim(const std::string& text, const char* blanks = " ") {
  const auto first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The fields of a record, blanks around each removed; the keyword first.
std::vector<std::string> Fields(const std::string& record) {
  std::vector<std::string> fields;
  std::stringstream in(record);
  for (std::string field; std::getline(in, field, ',');) fields.push_back(Trim(field));
  return fields;
}

long Number(const std::string& field) {
  return field.empty() ? 0 : std::stol(field);
}

bool Has(const std::string& text, const char* what) {
  return text.find(what) != std::string::npos;
}

void ReadLineRecord(const std::vector<std::string>& f, LineFile& line) {
  if (Has(f[0], "pendenza")) {
    line.gradients.push_back({Number(f[1]), static_cast<int>(Number(f[2]))});
  } else if (Has(f[0], "montagna")) {
    line.spans.push_back({Number(f[1]), Number(f[2])});
  } else if (Has(f[0], "indicatori_vmax")) {
    line.boards.push_back({Number(f[1]),
                           {static_cast<int>(Number(f[2])), static_cast<int>(Number(f[3])),
                            static_cast<int>(Number(f[4]))},
                           static_cast<int>(Number(f[5]))});
  } else if (Has(f[0], "ripetizione segnali")) {
    line.repetition_from = Number(f[1]);
    line.repetition_to = Number(f[2]);
  }
}

LineFile ReadLineFile(const std::vector<std::string>& lines) {
  LineFile line;
  for (const std::string& record : lines) ReadLineRecord(Fields(record), line);
  return line;
}

Seconds ReadClock(const std::string& record) {
  std::stringstream in(record.substr(record.find(',') + 1));
  long h = 0, m = 0, s = 0;
  in >> h >> m >> s;
  return (h * 60 + m) * 60 + s;
}

Station ReadStation(const std::vector<std::string>& f) {
  Station station{.position = Number(f[1]),
                  .length = Number(f[3]),
                  .type = static_cast<int>(Number(f[2])),
                  .extended = Number(f[6]) != 0,
                  .time = std::nullopt,
                  .name = f[17]};
  const Seconds time = (Number(f[14]) * 60 + Number(f[15])) * 60 + Number(f[16]);
  if (time != 0) station.time = time;
  return station;
}

void ReadTrainRecord(const std::string& record, TrainFile& train) {
  const auto f = Fields(record);
  if (Has(f[0], "orologio")) {
    train.clock = ReadClock(record);
  } else if (Has(f[0], "velocita")) {
    train.limits.push_back({Number(f[1]), static_cast<int>(Number(f[2]))});
  } else if (Has(f[0], "stazione")) {
    train.stations.push_back(ReadStation(f));
  } else if (Has(f[0], "rallentamento")) {
    train.slow_downs.push_back({Number(f[1]), static_cast<int>(Number(f[2])), Number(f[3])});
  } else if (Has(f[0], "segnale")) {
    train.signals.push_back(Number(f[1]));
  } else if (f.size() == 1 && record.front() != '[' && !train.stations.empty()) {
    train.stations.back().name += " " + record;  // the rest of the station's name
  }
}

TrainFile ReadTrainFile(const std::vector<std::string>& lines) {
  TrainFile train;
  for (const std::string& record : lines) ReadTrainRecord(record, train);
  return train;
}

std::vector<std::string> Cells(const std::string& row) {
  std::vector<std::string> cells;
  std::stringstream in(row.substr(row.find('|') + 1));
  for (std::string cell; std::getline(in, cell, '|');) cells.push_back(cell);
  return cells;
}

std::vector<SheetStop> ReadStationTable(const std::vector<std::string>& lines) {
  std::vector<SheetStop> stops;
  for (const std::string& line : lines) {
    if (line.rfind(" |", 0) != 0) continue;  // the speed tables begin with two blanks
    const auto cells = Cells(line);
    if (cells.size() != 8 || Trim(cells[0], " _").empty()) continue;
    if (!std::isdigit(static_cast<unsigned char>(Trim(cells[0], " _")[0]))) continue;
    stops.push_back({Trim(cells[3], " _"), SheetTime(cells[4]), SheetTime(cells[5]).value_or(-1)});
  }
  return stops;
}

std::optional<std::array<int, 4>> ReadSpeeds(const std::string& row) {
  std::array<int, 4> speeds{};
  bool any = false;
  for (std::size_t rank = 0; rank < 4; ++rank) {
    const std::string cell = Trim(row.substr(3 + 6 * rank, 5));
    if (cell.empty()) continue;
    any = true;
    speeds[rank] = cell == "---" ? 0 : static_cast<int>(Number(cell));
  }
  if (!any) return std::nullopt;
  return speeds;
}

// The kilometre, the post or the tunnel mouth and the locality of a row's
// right-hand part; false for a row that gives no kilometre.
bool ReadPlace(const std::string& area, SheetRow& row) {
  static const std::regex post(R"(Cippo Km (\d+)\.(\d{3}))");
  static const std::regex kilometre(R"((\d+)\.(\d\d)(?!\d)(.*))");
  std::smatch m;
  if (std::regex_search(area, m, post)) {
    row.kind = SheetRow::Kind::kPost;
    row.at = std::stol(m[1]) * 1000 + std::stol(m[2]);
    return true;
  }
  if (!std::regex_search(area, m, kilometre)) return false;
  row.at = std::stol(m[1]) * 1000 + std::stol(m[2]) * 10;
  row.locality = Trim(m[3]);
  row.kind = row.locality.empty()                      ? SheetRow::Kind::kPlain
             : row.locality.rfind("Imb.Gall.", 0) == 0 ? SheetRow::Kind::kEntrance
             : row.locality.rfind("Sb.Gall.", 0) == 0  ? SheetRow::Kind::kExit
                                                       : SheetRow::Kind::kLocality;
  return true;
}

struct SectionReader {
  int section = 0;
  std::size_t width = 0;  // 0 outside a speed table
  bool on_route = true;
  Metres last = -1;

  void Read(const std::string& line, std::vector<SheetRow>& rows) {
    static const std::regex title("^ {2,3}Linea ");
    if (std::regex_search(line, title)) ++section, width = 0;
    if (Has(line, "|__A__|__B__|__C__|__P__|")) {
      width = Trim(line).size() + 2, on_route = true, last = -1;
    } else if (line.rfind("  |_____|", 0) == 0) {
      width = 0;
    } else if (width != 0 && line.size() >= width) {
      Row(line, rows);
    }
  }
  void Row(const std::string& line, std::vector<SheetRow>& rows) {
    SheetRow row;
    row.section = section;
    if (!ReadPlace(line.substr(27, width - 28), row)) return;
    if (row.at < last) on_route = false;  // the branch counts from 0 again
    last = row.at;
    row.on_route = on_route;
    row.speeds = ReadSpeeds(line);
    rows.push_back(row);
  }
};

Sheet ReadSheet(const std::vector<std::string>& lines) {
  Sheet sheet{.stops = ReadStationTable(lines), .rows = {}};
  SectionReader reader;
  for (const std::string& line : lines) reader.Read(line, sheet.rows);
  return sheet;
}

SlowDownOrder ReadOrder(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    const auto cells = Cells(line);
    if (cells.size() != 6) continue;
    const std::string post = Trim(cells[2]);
    if (post.empty() || !std::isdigit(static_cast<unsigned char>(post[0]))) continue;
    const auto dot = post.find('.');
    return {std::stol(post.substr(0, dot)) * 1000 + std::stol(post.substr(dot + 1)),
            static_cast<int>(Number(Trim(cells[3]))), Number(Trim(cells[4]))};
  }
  return {};
}

std::string JoinProse(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + " ";
  return std::regex_replace(text, std::regex(" +"), " ");
}

std::vector<std::string> Words(const std::string& name) {
  const std::string spelled = std::regex_replace(name, std::regex("P\\.ZA"), "PIAZZA");
  std::vector<std::string> words;
  std::string word;
  for (const char c : spelled) {
    if (std::isalnum(static_cast<unsigned char>(c))) {
      word += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      continue;
    }
    if (c == '.' && !word.empty()) word += '.';
    if (!word.empty()) words.push_back(word), word.clear();
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

bool WordMatches(const std::string& sheet, const std::string& station) {
  if (sheet.back() != '.') return sheet == station;
  return station.rfind(sheet.substr(0, sheet.size() - 1), 0) == 0;
}

}  // namespace

// Types 7 and 8 reach a whole length on either side; the others half of it,
// and the extension flag lengthens them at the far end.
Metres Station::StretchStart() const {
  return type == 7 || type == 8 ? position - length : position - length / 2;
}

Metres Station::StretchEnd() const {
  if (type == 7 || type == 8) return position + length;
  return position + length / 2 + (extended ? 50 : 0);
}

std::optional<Seconds> SheetTime(const std::string& text) {
  const std::string time = Trim(text, " _");
  if (time.empty()) return std::nullopt;
  const auto dot = time.find('.');
  const Seconds minutes = std::stol(time.substr(0, dot)) * 60 + std::stol(time.substr(dot + 1, 2));
  return minutes * 60 + (time.back() == '\xBD' ? 30 : 0);
}

std::string RailwayKilometre(Metres at) {
  const std::string metres = std::to_string(1000 + at % 1000).substr(1);
  return "km " + std::to_string(at / 1000) + "+" + metres;
}

bool NamesTheStation(const std::string& sheet_name, const std::string& station_name) {
  const auto wanted = Words(sheet_name);
  const auto words = Words(station_name);
  if (wanted.empty() || words.empty() || !WordMatches(wanted[0], words[0])) return false;
  std::size_t next = 0;
  for (const std::string& word : wanted) {
    while (next < words.size() && !WordMatches(word, words[next])) ++next;
    if (next++ == words.size()) return false;
  }
  return true;
}

DriversDocuments ReadDriversDocuments() {
  const auto line = WriteDocument(dati_linea, "Tarvosa_linea.txt");
  const auto train = WriteDocument(dati_treno, "Tarvosa_Corvale-.txt");
  const auto sheet = WriteDocument(dati_scheda, "Tarvosa_Corvale_scheda_treno.txt");
  const auto order = WriteDocument(dati_rallentamenti, "Tarvosa_Corvale_rallentamenti.txt");
  const auto notes = WriteDocument(dati_note, "Tarvosa_Corvale_note.txt");
  return {.line = ReadLineFile(line.lines),
          .train = ReadTrainFile(train.lines),
          .sheet = ReadSheet(sheet.lines),
          .order = ReadOrder(order.lines),
          .notes = JoinProse(notes.lines),
          .line_bytes = line.bytes,
          .train_bytes = train.bytes};
}

}  // namespace tarvosa::testing
