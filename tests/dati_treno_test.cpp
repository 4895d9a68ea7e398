// The train data file as written: every fact its reader and the other
// documents rely on.
#include "documents/dati_treno.h"

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "test_support.h"

namespace tarvosa {
namespace {

std::vector<long> Numbers(const std::string& record) {
  std::vector<long> numbers;
  std::stringstream in(record.substr(record.find(',') + 1));
  for (std::string field; std::getline(in, field, ',');) {
    if (field.find_first_not_of(" 0123456789-") != std::string::npos) break;  // the name
    numbers.push_back(std::stol(field));
  }
  return numbers;
}

class TrainFile : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    testing::ScratchDirectory dir;
    const ScenarioPlace form{
        .route_title = "Tarvosa", .train_title = "Corvale", .app_path = dir.text()};
    ASSERT_TRUE(dati_treno(DefaultOs(), form).ok());
    bytes_ = testing::ReadFile(dir.path() / "Tarvosa_Corvale-.txt");
    ASSERT_TRUE(testing::SplitCrLfLines(bytes_, &lines_));
    for (const std::string& line : lines_) {
      const std::string keyword = line.substr(0, line.find(','));
      records_[keyword].push_back(line);
    }
  }
  static std::string bytes_;
  static std::vector<std::string> lines_;
  static std::map<std::string, std::vector<std::string>> records_;
};
std::string TrainFile::bytes_;
std::vector<std::string> TrainFile::lines_;
std::map<std::string, std::vector<std::string>> TrainFile::records_;

TEST_F(TrainFile, Has189AsciiLinesEndingInCodiciAndFine) {
  EXPECT_EQ(lines_.size(), 189u);
  EXPECT_EQ(bytes_.find("riferimento"), std::string::npos);
  EXPECT_TRUE(std::all_of(bytes_.begin(), bytes_.end(), [](char c) { return c > 0; }));
  EXPECT_EQ(std::vector<std::string>(lines_.end() - 2, lines_.end()),
            (std::vector<std::string>{"[codici]", "[fine]"}));
  std::vector<std::string> headers;
  for (const std::string& line : lines_) {
    if (line.front() == '[') headers.push_back(line);
  }
  EXPECT_EQ(headers,
            (std::vector<std::string>{"[generale]", "[aderenze]", "[vel_limite]", "[stazioni]",
                                      "[rallentamenti]", "[segnali]", "[codici]", "[fine]"}));
}

TEST_F(TrainFile, GeneralAdhesionAndSlowDownLinesAreExact) {
  EXPECT_EQ(std::vector<std::string>(lines_.begin(), lines_.begin() + 9),
            (std::vector<std::string>{
                "[generale]", "numero vetture,    12", "percentuale massa frenata,    130",
                "sabbia,    180", "orologio,    9               42            50 ", "[aderenze]",
                "aderenza,   0,    80", "aderenza, 28500,  85", "aderenza, 157500, 90"}));
  EXPECT_EQ(records_["rallentamento"],
            std::vector<std::string>{"rallentamento,  201100,    15,  100, 0,  1,  0"});
}

TEST_F(TrainFile, LineSpeedsAreAlignedAndRunFrom30To180) {
  const auto& speeds = records_["velocita"];
  ASSERT_EQ(speeds.size(), 29u);
  EXPECT_EQ(speeds.front(), "velocita,   0,    30");
  EXPECT_EQ(speeds[1], "velocita,    1100,   125");
  EXPECT_EQ(speeds[2], "velocita,    4000,   140");  // cells 22 to 79 at 125 km/h
  EXPECT_EQ(speeds.back(), "velocita,  215400,    30");
  for (const char* line : {"velocita,   11000,   165", "velocita,  105000,   180"}) {
    EXPECT_NE(std::find(speeds.begin(), speeds.end(), line), speeds.end()) << line;
  }
  long previous = -1, lowest = 1000, highest = 0;
  for (std::size_t i = 0; i < speeds.size(); ++i) {
    const auto v = Numbers(speeds[i]);
    EXPECT_GT(v[0], previous);
    EXPECT_EQ(v[0] % 50, 0);
    previous = v[0];
    lowest = std::min(lowest, v[1]), highest = std::max(highest, v[1]);
    EXPECT_EQ(speeds[i].size(), i == 0 ? 20u : 24u) << speeds[i];
  }
  EXPECT_EQ(lowest, 30);
  EXPECT_EQ(highest, 180);
}

TEST_F(TrainFile, ThirtyOneStationsWithTheSessaContinuation) {
  const auto& stations = records_["stazione"];
  ASSERT_EQ(stations.size(), 31u);
  EXPECT_EQ(stations.front().substr(0, 72),
            "stazione,       0,  8,  500,  1, 0, 0,  4,1,0,  2,1,1,    1,   9,42,50, ");
  EXPECT_EQ(stations.back().substr(0, 72),
            "stazione,  216150, 25,  400,  0, 0, 0,  0,0,0,  0,0,0,    0,  11,44, 0, ");
  for (const char* line :
       {"stazione,   61000, 24,  500,  0, 0, 0,  0,0,0,  4,1,1,   60,  10,12,20, Latina",
        "stazione,  180350,  4,  500,  1, 0, 1,  4,1,1,  2,1,1,    0,   0, 0, 0, Villa Literno",
        "stazione,   23950, 24,  400,  0, 0, 0,  0,0,0,  4,1,1,  102,   0, 0, 0, "
        "Pomezia-S.Palomba",
        "stazione,  196150, 28,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, "
        "Quarto di Marano"}) {
    EXPECT_NE(std::find(stations.begin(), stations.end(), line), stations.end()) << line;
  }
  const auto sessa = std::find_if(lines_.begin(), lines_.end(), [](const std::string& l) {
    return l.rfind("stazione,  153450,", 0) == 0;
  });
  ASSERT_NE(sessa, lines_.end());
  EXPECT_EQ(sessa->substr(sessa->size() - 7), ", Sessa");
  EXPECT_EQ(*(sessa + 1), "Aurunca-Roccamonfina");
  EXPECT_EQ((sessa + 2)->rfind("stazione,  164850,", 0), 0u);

  std::set<std::vector<long>> times;
  long previous = -600;
  for (const std::string& station : stations) {
    const auto v = Numbers(station);
    ASSERT_EQ(v.size(), 16u) << station;
    EXPECT_GE(v[0] - previous, 600) << station;
    previous = v[0];
    EXPECT_TRUE(v[2] >= 200 && v[2] <= 500 && v[2] % 100 == 0) << station;
    if (v[13] + v[14] + v[15] != 0) times.insert({v[13], v[14], v[15], v[12]});
  }
  EXPECT_EQ(times, (std::set<std::vector<long>>{{9, 42, 50, 1},
                                                {10, 12, 20, 60},
                                                {10, 47, 10, 60},
                                                {11, 28, 30, 60},
                                                {11, 33, 0, 60},
                                                {11, 44, 0, 0}}));
}

TEST_F(TrainFile, Signals112From1050To216300) {
  const auto& signals = records_["segnale"];
  ASSERT_EQ(signals.size(), 112u);
  EXPECT_EQ(signals.front(), "segnale,    1050,   2, 4, 1,  1, 0,    2,  2,1,1, 0");
  EXPECT_EQ(Numbers(signals.back())[0], 216300);
  for (const char* line : {"segnale,    6200,   2, 4, 0,  0, 0,    0,  0,0,0, 0",
                           "segnale,  127300,   2, 3, 1,  0, 0,    2,  2,1,0, 245",
                           "segnale,  179250,   2, 2, 5,  6, 0,    1,  3,1,1, 0"}) {
    EXPECT_NE(std::find(signals.begin(), signals.end(), line), signals.end()) << line;
  }
  int four = 0, in_range = 0;
  std::multiset<long> times;
  long previous = 0, closest = 1 << 30, farthest = 0;
  for (const std::string& signal : signals) {
    const auto v = Numbers(signal);
    ASSERT_EQ(v.size(), 11u) << signal;
    four += v[2] == 4;
    times.insert(v[10]);
    if (previous != 0) {
      const long gap = v[0] - previous;
      closest = std::min(closest, gap), farthest = std::max(farthest, gap);
      in_range += gap >= 1300 && gap <= 1800;
    }
    previous = v[0];
  }
  EXPECT_EQ(four, 100);
  EXPECT_EQ(times.count(0), 109u);
  EXPECT_EQ(times.count(110) + times.count(205) + times.count(245), 3u);
  EXPECT_EQ(closest, 700);
  EXPECT_EQ(farthest, 4200);
  EXPECT_GT(2 * in_range, 111);  // mostly 1300 to 1800 m apart
}

}  // namespace
}  // namespace tarvosa
