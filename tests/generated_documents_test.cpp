// The timetable sheet and slow-down order made from the embedded scenario,
// read back as a driver reads them and set against the records of its line
// and train files.
#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include <gtest/gtest.h>

#include "compile_support.h"
#include "documents/generated_slow_down_order.h"
#include "documents/generated_timetable.h"
#include "scenario/line_table.h"
#include "scenario/slow_down_order_table.h"
#include "scenario/train_table.h"

namespace tarvosa {
namespace {

std::string Trim(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::vector<std::string> Fields(std::string_view line, char separator) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t end; (end = line.find(separator, start)) != std::string_view::npos;
       start = end + 1) {
    fields.push_back(Trim(line.substr(start, end - start)));
  }
  fields.push_back(Trim(line.substr(start)));
  return fields;
}

// The records of a file that begin with `keyword`, as their fields.
template <typename Table>
std::vector<std::vector<std::string>> Records(const Table& table, std::string_view keyword) {
  std::vector<std::vector<std::string>> records;
  for (std::string_view line : table) {
    if (line.starts_with(keyword)) records.push_back(Fields(line, ','));
  }
  return records;
}

// A position in metres as the sheets write kilometres: 4300 is "4.30".
std::string Km(const std::string& metres) {
  const int m = std::stoi(metres);
  return std::to_string(m / 1000) + "." + std::to_string(m % 1000 / 100) +
         std::to_string(m % 100 / 10);
}

class GeneratedDocuments : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string line = testing::CrLf(scenario::kLineDefinition);
    const std::string train = testing::CrLf(scenario::kTrainData);
    const Compilation compiled = testing::CompileTexts(line, train);
    ASSERT_FALSE(compiled.diagnostics.HasError());
    facts_ = FactsOf(compiled.scenario);
    timetable_ = GenerateTimetable(facts_, "Corvale");
    order_ = GenerateSlowDownOrder(facts_, "Corvale");
  }

  // The station table's rows: the cells between the rules, "_" read as
  // blanks.
  std::vector<std::vector<std::string>> StationRows() const {
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : timetable_) {
      if (!line.starts_with(" |") || std::count(line.begin(), line.end(), '|') != 9) continue;
      std::string cells = line;
      std::replace(cells.begin(), cells.end(), '_', ' ');
      auto fields = Fields(cells, '|');
      if (!fields[1].empty() && fields[1] != "Pr") {
        rows.push_back({fields.begin() + 1, fields.end() - 1});
      }
    }
    return rows;
  }

  // The speed table's rows: kilometres, the speed starting there and the
  // locality.
  struct SpeedRow {
    std::string km;
    std::optional<int> speed;
    std::string locality;
  };
  std::vector<SpeedRow> SpeedRows() const {
    std::vector<SpeedRow> rows;
    for (const std::string& line : timetable_) {
      if (!line.starts_with("  |") || line.find("||  ") == std::string::npos) continue;
      const auto cells = Fields(line, '|');
      // The track drawing's rules come between the speed and the kilometres.
      const std::string speed = cells[1];
      const std::string km = Trim(cells[cells.size() - 3]);
      rows.push_back({km, speed.empty() ? std::nullopt : std::optional(std::stoi(speed)),
                      cells[cells.size() - 2]});
    }
    return rows;
  }

  RouteFacts facts_;
  DocumentLines timetable_;
  DocumentLines order_;
};

TEST_F(GeneratedDocuments, TheStationTableListsTheTrainsStationsWithTheirTimes) {
  const auto stations = Records(scenario::kTrainData, "stazione");
  const auto rows = StationRows();
  ASSERT_EQ(rows.size(), stations.size());
  using ArrivalDeparture = std::pair<std::string, std::string>;
  std::map<std::string, ArrivalDeparture> times;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i][0], std::to_string(i + 1));
    EXPECT_EQ(rows[i][3], stations[i][17]);
    times[rows[i][3]] = {rows[i][4], rows[i][5]};
    const bool timed = stations[i][14] != "0" || stations[i][15] != "0";
    EXPECT_EQ(!rows[i][4].empty() || !rows[i][5].empty(), timed) << rows[i][3];
  }
  // 9:42:50 at the origin, 10:12:20, 11:28:30; 11:44:00 is the arrival at the end.
  EXPECT_EQ(times["Roma Termini"], ArrivalDeparture("", "9.42½"));
  EXPECT_EQ(times["Latina"], ArrivalDeparture("", "10.12"));
  EXPECT_EQ(times["Napoli Campi Flegrei"], ArrivalDeparture("", "11.28½"));
  EXPECT_EQ(times["Napoli Piazza Garibaldi"], ArrivalDeparture("11.44", ""));
  EXPECT_NE(std::find(timetable_.begin(), timetable_.end(),
                      " |Origine Treno: Roma Termini" + std::string(53, ' ') + "|"),
            timetable_.end());
}

TEST_F(GeneratedDocuments, TheSpeedTableGivesEveryStationsKilometreAndEveryLineSpeed) {
  const auto rows = SpeedRows();
  for (const auto& station : Records(scenario::kTrainData, "stazione")) {
    const auto row = std::find_if(rows.begin(), rows.end(),
                                  [&](const SpeedRow& r) { return r.locality == station[17]; });
    ASSERT_NE(row, rows.end()) << station[17];
    EXPECT_EQ(row->km, Km(station[1])) << station[17];
  }
  // The speed in force at each record's kilometre is the record's speed.
  for (const auto& record : Records(scenario::kTrainData, "velocita")) {
    std::optional<int> in_force;
    for (const SpeedRow& row : rows) {
      if (std::stod(row.km) > std::stod(Km(record[1])) + 1e-9) break;
      if (row.speed) in_force = row.speed;
    }
    EXPECT_EQ(in_force, std::stoi(record[2])) << record[1];
  }
  for (const auto& span : Records(scenario::kLineDefinition, "montagna")) {
    for (const auto& [metres, what] : {std::pair{span[1], "Imb.Gall."}, {span[2], "Sb.Gall."}}) {
      EXPECT_TRUE(
          std::any_of(rows.begin(), rows.end(),
                      [&](const SpeedRow& r) { return r.km == Km(metres) && r.locality == what; }))
          << what << " " << metres;
    }
  }
}

TEST_F(GeneratedDocuments, TheSlowDownOrderStatesTheTrainsSlowDown) {
  const auto records = Records(scenario::kTrainData, "rallentamento");
  ASSERT_EQ(records.size(), 1u);  // 201100 m, 15 km/h, 100 m
  std::vector<std::vector<std::string>> rows;
  for (const std::string& line : order_) {
    if (line.starts_with(" |") && line.size() == 82) rows.push_back(Fields(line, '|'));
  }
  // The restriction after the three head lines and the rule under them.
  const auto first = rows.begin() + 4;
  const auto last =
      std::find_if(first, rows.end(), [](const auto& row) { return !row[3].empty(); });
  ASSERT_NE(last, rows.end());
  EXPECT_EQ((*last)[3], "201.000");  // the kilometre post before 201100 m
  EXPECT_EQ((*last)[4], records[0][2]);
  EXPECT_EQ((*last)[5], records[0][3]);
  std::string place;
  for (auto row = first; row <= last; ++row) place += (*row)[2] + " ";
  EXPECT_EQ(place, "Fra le stazioni di Arco Felice e Pozzuoli Solfatara, inizio al km 201.10 ");
  EXPECT_EQ(order_[6],
            "  Si ordina al macchinista del treno Corvale  di effettuare i seguenti rallentamenti");
  EXPECT_EQ(order_[4], "  Linea  Roma Termini - Napoli Piazza Garibaldi");
}

TEST_F(GeneratedDocuments, TheSlowDownOrderKeepsTheEmbeddedFormsLayout) {
  EXPECT_EQ(order_.size(), scenario::kSlowDownOrder.size());
  for (std::size_t i = 8; i < order_.size(); ++i) {
    if (order_[i].starts_with(" |")) {
      EXPECT_EQ(order_[i].size(), 82u) << i;
    }
  }
  EXPECT_EQ(order_.back(), "     i giorni esclusi i seguenti:.........");
}

TEST_F(GeneratedDocuments, EveryLineOfABoxOrTableIsAsWideAsTheOthers) {
  // Boxes and tables are runs of lines drawn with '|'.
  std::vector<std::set<std::size_t>> widths;
  bool in_table = false;
  for (const std::string& line : timetable_) {
    const bool drawn = line.find('|') != std::string::npos;
    if (drawn && !in_table) widths.emplace_back();
    std::size_t characters = 0;
    for (const char c : line) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (drawn) widths.back().insert(characters);
    in_table = drawn;
  }
  ASSERT_EQ(widths.size(), 3u);  // the train box, the station table, the speed table
  for (const auto& table : widths) EXPECT_EQ(table.size(), 1u);
  // The longest name, 28 characters, widens the locality cell by one.
  EXPECT_EQ(*widths[1].begin(), 84u);
}

}  // namespace
}  // namespace tarvosa
