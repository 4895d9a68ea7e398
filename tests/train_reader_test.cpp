// The train half of memorizza_dati, on small train files over a 10 km line
// and on this scenario's own files.
#include "compiler/internal/train_reader.h"

#include <gtest/gtest.h>

#include "compiler/stored_views.h"

#include "compile_support.h"
#include "scenario/line_table.h"
#include "scenario/train_table.h"

namespace tarvosa {
namespace {

template <std::size_t n>
std::vector<std::string> Lines(const std::array<std::string_view, n>& table) {
  return std::vector<std::string>(table.begin(), table.end());
}

// A 10 km line: cells 0 to 340.
const std::vector<std::string> kShortLine = {"[generale]", "lunghezza percorso,    10000",
                                             "[fine]"};

class TrainReaderTest : public ::testing::Test {
 protected:
  Compilation Read(const std::vector<std::string>& train,
                   const std::vector<std::string>& line = kShortLine) {
    const std::string train_bytes = testing::CrLf(train);
    return testing::ReadTexts(testing::CrLf(line), train_bytes);
  }
  // A train file holding `records` after its general part.
  Compilation ReadRecords(const std::vector<std::string>& records) {
    std::vector<std::string> train = {"[generale]"};
    train.insert(train.end(), records.begin(), records.end());
    train.push_back("[fine]");
    return Read(train);
  }
};

std::string Station(long position, int kind, int length, int extension = 0) {
  return "stazione, " + std::to_string(position) + ", " + std::to_string(kind) + ", " +
         std::to_string(length) + ", 0, 1, " + std::to_string(extension) +
         ", 0,0,0, 4,1,1, 0, 0, 0, 0, Nome";
}

TEST_F(TrainReaderTest, ThisScenariosTrain) {
  const Compilation s = Read(Lines(scenario::kTrainData), Lines(scenario::kLineDefinition));
  EXPECT_EQ(s.diagnostics.error_code(), 0);
  EXPECT_EQ(s.scenario.header[kNumbersEntry].start, 130);
  EXPECT_EQ(s.scenario.header[kNumbersEntry].position, 12);
  const TrainEntry train(s.scenario.header[kTrainEntry]);
  EXPECT_EQ(train.sand, 180);
  EXPECT_EQ(train.clock_hours, 9);
  EXPECT_EQ(train.clock_minutes, 42);
  EXPECT_EQ(train.clock_seconds, 50);
  EXPECT_EQ(s.scenario.header[31].name, "Napoli Piazza Garibaldi");
  EXPECT_EQ(s.scenario.header[32].name, "");
  EXPECT_EQ(s.scenario.header[15].name, "Sessa");  // the continuation line was passed over
  EXPECT_EQ(s.scenario.header[16].position, 164850);

  const auto speed = [&](std::size_t c) { return s.scenario.cells.at(c).speed_limit; };
  const auto adhesion = [&](std::size_t c) { return s.scenario.cells.at(c).adhesion; };
  EXPECT_EQ(speed(0), 6);
  EXPECT_EQ(speed(21), 6);
  EXPECT_EQ(speed(22), 25);
  EXPECT_EQ(speed(79), 25);
  EXPECT_EQ(speed(4308), 6);
  EXPECT_EQ(speed(4677), 6);
  EXPECT_EQ(speed(4678), 0);
  EXPECT_EQ(speed(4680), 0);
  EXPECT_EQ(adhesion(569), 80);
  EXPECT_EQ(adhesion(570), 85);
  EXPECT_EQ(adhesion(3149), 85);
  EXPECT_EQ(adhesion(3150), 90);
  EXPECT_EQ(adhesion(4677), 90);
  EXPECT_EQ(adhesion(4678), 0);

  // The departure: stretch -500 to 500, stop cell 9, approach codes 81 to 84.
  EXPECT_EQ(s.scenario.header[1].start, -500);
  EXPECT_EQ(s.scenario.header[1].end, 500);
  const StationEntry departure(s.scenario.header[1]);
  EXPECT_EQ(departure.extension + departure.field_5, 0);
  EXPECT_EQ(s.scenario.cells.at(9).kind, kStationStop);
  EXPECT_EQ(StationStopCell(s.scenario.cells.at(9)).station, 1);
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(s.scenario.cells.at(9 - k).approach_code, 80 + k);
  EXPECT_EQ(s.scenario.header[7].start, 60750);  // Latina
  EXPECT_EQ(s.scenario.header[7].end, 61250);
  EXPECT_EQ(StationStopCell(s.scenario.cells.at(1224)).station, 7);
  EXPECT_EQ(s.scenario.header[7].time, 10 * 3600 + 12 * 60 + 20);
}

TEST_F(TrainReaderTest, StationStretchesByType) {
  const Compilation s = ReadRecords({Station(1000, 8, 500), Station(2500, 24, 500, 1),
                                     Station(4000, 5, 300, 1), Station(5000, 28, 400)});
  EXPECT_EQ(s.diagnostics.error_code(), 0);
  EXPECT_EQ(StationEntry(s.scenario.header[1]).field_5, 0);  // the first station's are cleared
  EXPECT_EQ(s.scenario.header[2].end, 2800);                 // 2750 and 50 for the extension
  EXPECT_EQ(StationEntry(s.scenario.header[2]).field_5, 0);  // shorter than 600 m
  EXPECT_EQ(s.scenario.cells.at(55).kind, kStationStop);     // 2800 / 50 - 1
  EXPECT_EQ(s.scenario.header[3].start, 3700);               // types 5 and 6: 300 m before,
  EXPECT_EQ(s.scenario.header[3].end, 4150);                 // 150 m after
  EXPECT_EQ(StationEntry(s.scenario.header[3]).extension, 0);
  EXPECT_EQ(s.scenario.cells.at(82).kind, kStationStop);  // a stop cell but
  EXPECT_EQ(s.scenario.cells.at(81).approach_code, 0);    // no approach codes
  EXPECT_EQ(s.scenario.header[4].kind, 28);               // types 25 and above: an entry only
  EXPECT_EQ(s.scenario.cells.at(103).kind, kFree);
}

TEST_F(TrainReaderTest, StationErrorsStopTheReadAtTheStation) {
  EXPECT_EQ(ReadRecords({Station(1025, 2, 400)}).diagnostics.error_position(), 1025);
  EXPECT_EQ(ReadRecords({Station(1025, 2, 400)}).diagnostics.error_code(), 8);
  EXPECT_EQ(ReadRecords({Station(1000, 2, 450)}).diagnostics.error_code(), 9);
  EXPECT_EQ(ReadRecords({Station(0, 2, 200)}).diagnostics.error_code(),
            24);  // ends 100 m from the origin
  EXPECT_EQ(ReadRecords({Station(0, 8, 200)}).diagnostics.error_code(), 0);
  // 350 m from the previous end is enough, 300 m is not.
  EXPECT_EQ(ReadRecords({Station(1000, 2, 400), Station(1750, 2, 400)}).diagnostics.error_code(),
            0);
  const Compilation s = ReadRecords({Station(1000, 2, 400), Station(1700, 2, 400)});
  EXPECT_EQ(s.diagnostics.error_code(), 22);
  EXPECT_EQ(s.diagnostics.error_position(), 1700);
  EXPECT_EQ(s.scenario.cells.at(0).speed_limit, 0);  // the tails do not run after a stop
}

TEST_F(TrainReaderTest, StationsStopBeforeTheBoardTexts) {
  std::vector<std::string> line = {"[generale]", "lunghezza percorso,    40000", "[indicazioni]"};
  for (int b = 0; b < 22; ++b) {
    line.push_back("cartello_indicatore,  " + std::to_string(150 + 50 * b) + ",   (T)");
  }
  line.push_back("[fine]");
  std::vector<std::string> train = {"[generale]"};
  for (int n = 0; n < 57; ++n) train.push_back(Station(2000 + 600 * n, 28, 200));
  train.push_back("[fine]");
  const Compilation s = Read(train, line);
  EXPECT_EQ(s.diagnostics.error_code(), 10);
  EXPECT_EQ(s.scenario.header[57].position, 2000 + 600 * 56);  // stored, then refused
  EXPECT_EQ(s.scenario.header[58].name, "");                   // although 58 is still free
  EXPECT_EQ(s.scenario.header[59].name, "(T)");

  train.erase(train.end() - 2);  // 56 stations
  EXPECT_EQ(Read(train, line).diagnostics.error_code(), 0);
}

TEST_F(TrainReaderTest, ProfilesFillFromTheirCellsAndAStepBackStillWritesOne) {
  const Compilation s = ReadRecords({"velocita, 0, 30", "velocita, 1000, 100", "velocita, 500, 60",
                                     "aderenza, 0, 80", "aderenza, 2000, 300"});
  const auto speed = [&](std::size_t c) { return s.scenario.cells.at(c).speed_limit; };
  EXPECT_EQ(speed(19), 6);
  EXPECT_EQ(speed(20), 20);  // 500 lies behind the cursor: one cell at 100 km/h
  EXPECT_EQ(speed(21), 12);  // then 60 km/h to the end
  EXPECT_EQ(speed(337), 12);
  EXPECT_EQ(speed(338), 0);
  EXPECT_EQ(s.scenario.cells.at(39).adhesion, 80);
  EXPECT_EQ(s.scenario.cells.at(40).adhesion, 300 % 256);
}

// Field 5 is kept from 600 m up, the first station apart.
TEST_F(TrainReaderTest, AStationOf600MetresKeepsItsField5) {
  const Compilation s =
      ReadRecords({Station(1000, 2, 600), Station(3000, 2, 600), Station(5000, 2, 500)});
  EXPECT_EQ(StationEntry(s.scenario.header[1]).field_5, 0);
  EXPECT_EQ(StationEntry(s.scenario.header[2]).field_5, 1);
  EXPECT_EQ(StationEntry(s.scenario.header[3]).field_5, 0);
}

// Records in the cell the last one may stand in each fill one cell more,
// up to cell U - 1: the speed stops before cell U, which only the tail
// writes, with the last record's speed. The adhesion has no such stop.
TEST_F(TrainReaderTest, SpeedsStackedInTheLastCellStopBeforeTheLastCell) {
  const Compilation s =
      ReadRecords({"velocita, 0, 50", "velocita, 16900, 100", "velocita, 16900, 150",
                   "velocita, 16900, 200", "velocita, 16900, 250"});
  EXPECT_EQ(s.diagnostics.error_code(), 0);
  const auto speed = [&](std::size_t c) { return s.scenario.cells.at(c).speed_limit * 5; };
  EXPECT_EQ(speed(337), 50);
  EXPECT_EQ(speed(338), 100);
  EXPECT_EQ(speed(339), 150);
  EXPECT_EQ(speed(340), 250);  // U: the 200 km/h of the record it stopped at never lands
}

TEST_F(TrainReaderTest, SignalsAndSlowDownsGoThroughTheirStores) {
  Compilation s = ReadRecords({"segnale, 6200, 2, 4, 0, 0, 0, 0, 0,0,0, 0",
                               "rallentamento, 8000, 15, 100, 0, 1, 0", "abbattimento, 9000, 120",
                               "abbattimento, 9500, 0"});
  EXPECT_EQ(s.diagnostics.error_code(), 0);
  EXPECT_EQ(s.scenario.cells.at(125).kind, kSignal);
  EXPECT_EQ(s.scenario.cells.at(137).kind, kSlowDownWarning);
  EXPECT_EQ(s.scenario.cells.at(180).kind, kBrakingPoint);  // 9000 / 50, not + 1
  EXPECT_EQ(BrakingPointCell(s.scenario.cells.at(180)).speed, 120);
  EXPECT_EQ(s.scenario.cells.at(190).kind, kBrakingPointWithoutValue);

  s = ReadRecords({Station(1000, 2, 400), "segnale, 1100, 2, 4, 0, 0, 0, 0, 0,0,0, 0"});
  EXPECT_EQ(s.diagnostics.error_code(), 16);  // the stop cell 23 was there first
  EXPECT_EQ(s.diagnostics.error_position(), 1100);
  s = ReadRecords({"abbattimento, 9000, 120", "abbattimento, 9010, 120"});
  EXPECT_EQ(s.diagnostics.error_code(), 7);
}

TEST_F(TrainReaderTest, AFeatureBeyondTheTrackEndsTheReadButTheTailsRun) {
  const Compilation s = ReadRecords(
      {"velocita, 0, 100", "segnale, 16950, 2, 4, 0, 0, 0, 0, 0,0,0, 0", "velocita, 5000, 50"});
  EXPECT_EQ(s.diagnostics.error_code(), 15);
  EXPECT_EQ(s.diagnostics.error_position(), 16950);
  EXPECT_EQ(s.scenario.cells.at(337).speed_limit, 20);
}

TEST_F(TrainReaderTest, AnErrorLeftByTheLineEndsTheReadAtTheFirstSignal) {
  std::vector<std::string> line = kShortLine;
  line.insert(line.end() - 1, "[pendenze]");
  line.insert(line.end() - 1, "pendenza,  16950,   1");
  const Compilation s =
      Read({"[generale]", "velocita, 0, 100", "segnale, 6200, 2, 4, 0, 0, 0, 0, 0,0,0, 0",
            "velocita, 5000, 50", "[fine]"},
           line);
  EXPECT_EQ(s.diagnostics.error_code(), 15);
  EXPECT_EQ(s.diagnostics.error_position(), 6200);
  EXPECT_EQ(s.scenario.cells.at(125).kind, kSignal);
  EXPECT_EQ(s.scenario.cells.at(100).speed_limit, 0);  // no tails after the stop
}

TEST_F(TrainReaderTest, KilometreReferencesAreCheckedAtTheEnd) {
  std::vector<std::string> line = kShortLine;
  line.insert(line.begin() + 1, "progressiva chilometrica uno,    1000,    1025,    0");
  EXPECT_EQ(Read({"[generale]", "[fine]"}, line).diagnostics.error_code(), 2);
}

TEST_F(TrainReaderTest, RunTimeFailuresRecord25) {
  EXPECT_EQ(ReadRecords({"velocita, 0, 1280"}).diagnostics.error_code(), 25);  // a byte of 256
  EXPECT_EQ(ReadRecords({"velocita, 0, 1277"}).diagnostics.error_code(), 0);
  EXPECT_EQ(ReadRecords({"sabbia, 40000"}).diagnostics.error_code(), 25);
  EXPECT_EQ(Read({"[generale]", "segnale, 6200, 2, 4"}).diagnostics.error_code(), 25);  // cut short
  EXPECT_EQ(Read({}).diagnostics.error_code(), 25);                                     // empty

  const Compilation missing = testing::ReadTexts(testing::CrLf(kShortLine), std::nullopt);
  EXPECT_EQ(missing.diagnostics.error_code(), 25);  // no train file at all
}

// A station's stretch is held in signed 32-bit members: a stretch beyond
// them on either side is a failure, never a wrapped value.
TEST_F(TrainReaderTest, AStationStretchMustFitOnBothSides) {
  const auto stretch = [&](long position, int kind, long length) {
    const std::string record = "stazione, " + std::to_string(position) + ", " +
                               std::to_string(kind) + ", " + std::to_string(length) +
                               ", 0, 1, 0, 0,0,0, 4,1,1, 0, 0, 0, 0, Nome";
    return ReadRecords({record});
  };
  const Compilation start_too_high = stretch(100, 8, -2147483600);  // starts at 2147483700
  EXPECT_EQ(start_too_high.diagnostics.error_code(), 25);
  EXPECT_EQ(start_too_high.diagnostics.error().detail,
            "the station's stretch runs from 2147483700 m to -2147483500 m, beyond what a signed "
            "32-bit number holds");
  EXPECT_EQ(stretch(-1500000000, 7, -1000000000).diagnostics.error_code(), 25);  // ends too low
  EXPECT_EQ(stretch(-2147483600, 8, 100).diagnostics.error_code(), 25);          // starts too low
  EXPECT_EQ(stretch(1000, 7, 2147483600).diagnostics.error_code(), 25);          // ends too high
  EXPECT_EQ(stretch(1000, 8, 400).diagnostics.error_code(), 0);
}

// The two ends are stored in the order the type gives them, each once it
// fits: a failure leaves the end stored before it, and the extension flag
// as it was read, since it is cleared only after both ends.
TEST_F(TrainReaderTest, AStretchThatDoesNotFitKeepsTheEndStoredBeforeIt) {
  const auto entry = [&](long position, int kind, long length) {
    const Compilation read = ReadRecords({Station(position, kind, length, 1)});
    EXPECT_EQ(read.diagnostics.error_code(), 25);
    return read.scenario.header[1];
  };
  const ScenarioEntry end_first = entry(-100, 5, 2147483600);  // ends at 50, starts too low
  EXPECT_EQ(end_first.end, 50);
  EXPECT_EQ(end_first.start, 0);
  EXPECT_EQ(StationEntry(end_first).extension, 1);
  const ScenarioEntry start_first = entry(-100, 7, 2147483600);  // starts too low
  EXPECT_EQ(start_first.start, 0);
  EXPECT_EQ(start_first.end, 0);
  EXPECT_EQ(StationEntry(start_first).extension, 1);
  const ScenarioEntry start_kept = entry(1000, 8, 2147483600);  // ends too high
  EXPECT_EQ(start_kept.start, 1000 - 2147483600);
  EXPECT_EQ(start_kept.end, 0);
  EXPECT_EQ(StationEntry(start_kept).extension, 1);
}

TEST_F(TrainReaderTest, OnlyAStoredNameMustFitANamesLength) {
  const std::string long_text(70000, 'n');
  EXPECT_EQ(ReadRecords({long_text, "velocita, 0, 100"}).diagnostics.error_code(), 0);
  const Compilation s = ReadRecords({Station(1000, 2, 400) + long_text});
  EXPECT_EQ(s.diagnostics.error_code(), 25);
  EXPECT_EQ(s.diagnostics.error().detail,
            "the station's name is 70004 characters long; a name holds at most 65535");
}

// A record stands at least 100 m before the last cell (cell 340: 17000 m),
// a station 800 m: one a metre or a cell further on is error 15.
TEST_F(TrainReaderTest, EveryRecordMayStandUpToItsReachBeforeTheLastCell) {
  const std::string kinds[] = {"velocita,  P,  60", "aderenza,  P,  80",
                               "segnale,  P,  2, 4, 0, 0, 0, 0, 0, 0, 0, 0",
                               "rallentamento,  P,  30,  0,  0,  0,  0", "abbattimento,  P,  60"};
  for (const std::string& kind : kinds) {
    for (const auto& [at, error] : {std::pair{16900, 0}, {16901, 15}}) {
      std::string record = kind;
      record.replace(record.find('P'), 1, std::to_string(at));
      EXPECT_EQ(ReadRecords({record}).diagnostics.error_code(), error) << record;
    }
  }
  EXPECT_EQ(ReadRecords({Station(16200, 2, 400)}).diagnostics.error_code(), 0);
  EXPECT_EQ(ReadRecords({Station(16250, 2, 400)}).diagnostics.error_code(), 15);
}

}  // namespace
}  // namespace tarvosa
