// The five documents read as the driver reads them, against each other and
// against a train that could run them: the sheet's times against the train
// file's and against the scenario's default train run by the running-time
// library, the speed boards against the limits,
// the sheet's rows against the line, the stations against the gradients,
// and the notes against all of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <set>

#include "compiler/compile.h"
#include "compiler/stored_views.h"
#include "driver_documents.h"
#include "running/default_train.h"
#include "running/running_time.h"

namespace tarvosa {
namespace {

using testing::DriversDocuments;
using testing::Metres;
using testing::Seconds;
using testing::SheetRow;
using testing::Station;

std::string TwoDigits(Seconds n) {
  return std::to_string(100 + n % 100).substr(1);
}
// "9:42:50", as the notes write the clock.
std::string Clock(Seconds t) {
  return std::to_string(t / 3600) + ":" + TwoDigits(t / 60 % 60) + ":" + TwoDigits(t % 60);
}
// "9.38", as the sheet writes a time.
std::string SheetText(Seconds t) {
  return std::to_string(t / 3600) + "." + TwoDigits(t / 60 % 60);
}

class DriversDocumentsTest : public ::testing::Test {
 protected:
  // The scenario compiled, and the fastest run of its own train over it.
  static void SetUpTestSuite() {
    docs_ = new DriversDocuments(testing::ReadDriversDocuments());
    compiled_ = new Compilation(Compile({.line_text = docs_->line_bytes,
                                         .train_text = docs_->train_bytes,
                                         .route_title = "Tarvosa",
                                         .train_title = "Corvale",
                                         .plan = false}));
    const NumbersEntry numbers(compiled_->scenario.header[kNumbersEntry]);
    const auto train = running::DefaultTrain(numbers.coaches, numbers.braked_weight_percent);
    ASSERT_TRUE(train.ok()) << train.status().message();
    train_ = new running::RollingStock(*train);
    const auto run = running::ComputeRun(compiled_->scenario, *train_, {});
    ASSERT_TRUE(run.ok()) << run.status().message();
    run_ = new running::RunResult(*run);
  }
  static const DriversDocuments& Docs() { return *docs_; }
  static const std::vector<Station>& Stations() { return docs_->train.stations; }
  static const running::RollingStock& Train() { return *train_; }
  static const running::RunResult& TrainRun() { return *run_; }

  // The line speed the train file gives from `x` on, in km/h.
  static int LineSpeedAt(Metres x) {
    int kmh = 0;
    for (const testing::SpeedLimit& limit : docs_->train.limits) {
      if (limit.from <= x) kmh = limit.kmh;
    }
    return kmh;
  }
  // The metres in which the train brakes from one speed to a lower one.
  static double BrakingDistance(int from_kmh, int to_kmh) {
    const double v1 = from_kmh / 3.6, v2 = to_kmh / 3.6;
    return (v1 * v1 - v2 * v2) / (2 * Train().braking);
  }

  // When the train leaves stop `i`: the later of the sheet's time and the
  // train file's, but at the origin the sheet's, as the train starts late.
  static Seconds Departure(std::size_t i) {
    const Seconds sheet = docs_->sheet.stops[i].departure;
    if (i == 0 || !Stations()[i].time) return sheet;
    return std::max(sheet, *Stations()[i].time);
  }
  // The stations where the sheet gives an arrival, with the origin first.
  static std::vector<std::size_t> Stops() {
    std::vector<std::size_t> stops = {0};
    for (std::size_t i = 1; i < docs_->sheet.stops.size(); ++i) {
      if (docs_->sheet.stops[i].arrival) stops.push_back(i);
    }
    return stops;
  }
  static const testing::SpeedBoard* BoardAt(Metres at) {
    const auto& boards = docs_->line.boards;
    const auto it = std::find_if(boards.begin(), boards.end(),
                                 [at](const testing::SpeedBoard& b) { return b.at == at; });
    return it == boards.end() ? nullptr : &*it;
  }
  // The board without stripes that gives `limit`, at most 950 m before it.
  static const testing::SpeedBoard* BoardOf(const testing::SpeedLimit& limit) {
    const testing::SpeedBoard* found = nullptr;
    for (const auto& board : docs_->line.boards) {
      if (board.at <= limit.from && board.at >= limit.from - 950 && board.stripes == 0 &&
          board.speeds[2] == limit.kmh) {
        found = &board;
      }
    }
    return found;
  }
  // The boards 600 and 300 m before `at` and at it, with two, one and no
  // stripes, the same speeds, and `kmh` for rank C.
  static ::testing::AssertionResult AnnouncedAt(Metres at, int kmh) {
    const testing::SpeedBoard* limit = BoardAt(at);
    if (!limit || limit->stripes != 0 || limit->speeds[2] != kmh) {
      return ::testing::AssertionFailure() << "no board for " << kmh << " km/h at " << at;
    }
    for (const int stripes : {1, 2}) {
      const testing::SpeedBoard* board = BoardAt(at - 300 * stripes);
      if (!board || board->stripes != stripes || board->speeds != limit->speeds) {
        return ::testing::AssertionFailure()
               << "no board with " << stripes << " stripes " << 300 * stripes << " m before " << at;
      }
    }
    return ::testing::AssertionSuccess();
  }
  static const Station* StationAt(Metres at) {
    const auto it = std::find_if(Stations().begin(), Stations().end(),
                                 [at](const Station& s) { return s.position == at; });
    return it == Stations().end() ? nullptr : &*it;
  }

  static DriversDocuments* docs_;
  static Compilation* compiled_;
  static running::RollingStock* train_;
  static running::RunResult* run_;
};
DriversDocuments* DriversDocumentsTest::docs_;
Compilation* DriversDocumentsTest::compiled_;
running::RollingStock* DriversDocumentsTest::train_;
running::RunResult* DriversDocumentsTest::run_;

// ---------------------------------------------------------------------------
// Times

TEST_F(DriversDocumentsTest, TheSheetGivesEachStopTheTrainFilesTimeToTheHalfMinute) {
  const auto& stops = Docs().sheet.stops;
  ASSERT_EQ(stops.size(), Stations().size());
  ASSERT_TRUE(Stations().front().time);
  EXPECT_EQ(*Stations().front().time, Docs().train.clock);
  EXPECT_LT(stops.front().departure, Docs().train.clock);  // the late start
  for (std::size_t i = 1; i < stops.size(); ++i) {
    const auto& time = Stations()[i].time;
    EXPECT_EQ(stops[i].arrival.has_value(), time.has_value()) << stops[i].name;
    if (!time || !stops[i].arrival) continue;
    // The train file's time is when the train leaves; at the terminal, when it arrives.
    const Seconds shown = i + 1 == stops.size() ? *stops[i].arrival : stops[i].departure;
    EXPECT_EQ(shown, *time / 30 * 30) << stops[i].name << " at " << Clock(*time);
    EXPECT_LE(*stops[i].arrival, *time) << stops[i].name;
  }
}

// Run flat out from each stop to the next, the scenario's train passes every
// station within the sheet's time, counted from the time at the station
// before: a driver on time anywhere can stay on time. A sheet's time names
// its half minute ("10.18" holds until 10:18:30), the train file's times at
// the stops are to the second.
TEST_F(DriversDocumentsTest, TheScenariosTrainCanKeepEverySheetTime) {
  const auto& run = TrainRun().stations;
  ASSERT_EQ(run.size(), Stations().size());
  const auto stops = Stops();
  ASSERT_GE(stops.size(), 2u);
  for (std::size_t s = 0; s + 1 < stops.size(); ++s) {
    const std::size_t a = stops[s], b = stops[s + 1];
    EXPECT_TRUE(run[a].stops && run[b].stops) << Stations()[a].name << ", " << Stations()[b].name;
    Seconds due = Departure(a);
    for (std::size_t k = a + 1; k <= b; ++k) {
      // A stop at its stop cell, which a station of type 25 or more has not.
      const bool stop_cell = k == b && Stations()[k].type < 25;
      EXPECT_EQ(run[k].metres, stop_cell ? Stations()[k].StopPoint() : Stations()[k].position);
      const Seconds next =
          k == b ? *Docs().sheet.stops[k].arrival : Docs().sheet.stops[k].departure;
      const double needs = run[k].arrival_s - run[k - 1].departure_s;
      EXPECT_LT(needs, static_cast<double>(next + 30 - due))
          << Stations()[k - 1].name << " to " << Stations()[k].name << ": " << needs << " s";
      due = next;
    }
  }
}

// The train file's timetable, to the second: every section from one stop
// to the next can be run in the time it gives, with the dwell.
TEST_F(DriversDocumentsTest, TheScenariosTrainKeepsTheTrainFilesTimetable) {
  EXPECT_TRUE(TrainRun().AllKept());
  for (const running::StationTime& s : TrainRun().stations) {
    if (s.stops) {
      EXPECT_GE(s.section_margin_s, 0) << s.name;
    }
  }
}

TEST_F(DriversDocumentsTest, TheLateStartIsMadeUpByTheFirstStopAndTheNotesSaySo) {
  const std::size_t first = Stops().at(1);
  const double arrives = Docs().train.clock + TrainRun().stations.at(first).arrival_s;
  EXPECT_LE(arrives, static_cast<double>(*Docs().sheet.stops[first].arrival));
  const std::string sheet = SheetText(Docs().sheet.stops[0].departure);
  EXPECT_NE(Docs().notes.find(sheet), std::string::npos) << sheet;
  EXPECT_NE(Docs().notes.find(Clock(Docs().train.clock)), std::string::npos);
  EXPECT_NE(Docs().notes.find("ritardo"), std::string::npos);
}

// ---------------------------------------------------------------------------
// Speed limits

// A lower limit is announced by boards with two and one stripes 600 and 300 m
// before its own, and from the first of them the train can brake in time.
TEST_F(DriversDocumentsTest, EveryReductionIsAnnouncedInTimeToBrake) {
  const auto& limits = Docs().train.limits;
  for (std::size_t i = 1; i < limits.size(); ++i) {
    if (limits[i].kmh >= limits[i - 1].kmh) continue;
    EXPECT_TRUE(AnnouncedAt(limits[i].from, limits[i].kmh));
    EXPECT_LE(BrakingDistance(limits[i - 1].kmh, limits[i].kmh), 600.0)
        << limits[i - 1].kmh << " to " << limits[i].kmh << " km/h at " << limits[i].from;
  }
}

// A higher limit holds only once the whole train has passed its board; a
// train starting from a stop, still slow, may take it from the board.
TEST_F(DriversDocumentsTest, EveryIncreaseHoldsOnceTheTrainHasPassedItsBoard) {
  const auto& limits = Docs().train.limits;
  const auto starting = [](Metres board) {
    return std::any_of(Stations().begin(), Stations().end(), [board](const Station& s) {
      return s.time && board - s.StopPoint() > -Train().length && board - s.StopPoint() < 1000;
    });
  };
  for (std::size_t i = 1; i < limits.size(); ++i) {
    if (limits[i].kmh <= limits[i - 1].kmh) continue;
    const testing::SpeedBoard* board = BoardOf(limits[i]);
    if (board == nullptr) {
      ADD_FAILURE() << "no board for " << limits[i].kmh << " km/h at " << limits[i].from;
    } else if (!starting(board->at)) {
      EXPECT_GE(limits[i].from - board->at, Train().length) << limits[i].from;
    }
  }
}

TEST_F(DriversDocumentsTest, TheSlowDownIsAnnouncedInTimeToBrakeAndOrderedAsItIs) {
  ASSERT_EQ(Docs().train.slow_downs.size(), 1u);
  const testing::SlowDown& slow = Docs().train.slow_downs.front();
  const auto& cells = compiled_->scenario.cells;
  const auto warning = std::find_if(cells.begin(), cells.end(),
                                    [](const TrackCell& c) { return c.kind == kSlowDownWarning; });
  ASSERT_NE(warning, cells.end());
  const Metres board = 50 * (warning - cells.begin() - 1);  // cell c stands for 50 (c - 1) m
  EXPECT_LE(BrakingDistance(LineSpeedAt(board), slow.kmh), static_cast<double>(slow.from - board));
  EXPECT_EQ(Docs().order.after_post, slow.from / 1000 * 1000);  // the last post before it
  EXPECT_EQ(Docs().order.kmh, slow.kmh);
  EXPECT_EQ(Docs().order.length, slow.length);
}

// Every limit has its row at its kilometre, and every row with speeds gives
// the limit in force there: rank C the train file's, ranks A and B its board's.
TEST_F(DriversDocumentsTest, TheSheetShowsEveryLimitWhereItStarts) {
  std::set<Metres> shown;
  for (const SheetRow& row : Docs().sheet.rows) {
    if (!row.on_route || !row.speeds) continue;
    const auto& speeds = *row.speeds;
    const int kmh = LineSpeedAt(row.at);
    EXPECT_EQ(speeds[2], kmh) << row.at;
    const auto limit = std::find_if(Docs().train.limits.rbegin(), Docs().train.limits.rend(),
                                    [&](const testing::SpeedLimit& l) { return l.from <= row.at; });
    const testing::SpeedBoard* board = BoardOf(*limit);
    const std::array<int, 3> boarded = board ? board->speeds : std::array<int, 3>{kmh, kmh, kmh};
    EXPECT_EQ(speeds[0], boarded[0]) << row.at;
    EXPECT_EQ(speeds[1], boarded[1]) << row.at;
    shown.insert(row.at);
  }
  for (const testing::SpeedLimit& limit : Docs().train.limits) {
    EXPECT_TRUE(shown.count(limit.from)) << limit.kmh << " km/h at " << limit.from;
  }
}

// ---------------------------------------------------------------------------
// The line

TEST_F(DriversDocumentsTest, TunnelRowsAreTheLineFilesSpans) {
  const auto& spans = Docs().line.spans;
  const testing::Span* inside = nullptr;
  int section = 0;
  for (const SheetRow& row : Docs().sheet.rows) {
    if (row.section != section) {
      EXPECT_EQ(inside, nullptr) << "a tunnel left open at the end of a table";
      section = row.section;
    }
    if (row.kind == SheetRow::Kind::kEntrance) {
      EXPECT_EQ(inside, nullptr) << row.at;
      const auto span = std::find_if(spans.begin(), spans.end(),
                                     [&](const testing::Span& s) { return s.start == row.at; });
      EXPECT_NE(span, spans.end()) << "no tunnel begins at " << row.at;
      inside = span == spans.end() ? nullptr : &*span;
    } else if (row.kind == SheetRow::Kind::kExit) {
      EXPECT_NE(inside, nullptr) << "an exit without its entrance at " << row.at;
      if (inside) {
        EXPECT_EQ(row.at, inside->end);
      }
      inside = nullptr;
    }
  }
  EXPECT_EQ(inside, nullptr);
}

TEST_F(DriversDocumentsTest, EachStationAppearsWhereItIsUnderItsName) {
  ASSERT_EQ(Docs().sheet.stops.size(), Stations().size());
  for (std::size_t i = 0; i < Stations().size(); ++i) {
    EXPECT_TRUE(testing::NamesTheStation(Docs().sheet.stops[i].name, Stations()[i].name))
        << Docs().sheet.stops[i].name;
  }
  std::multiset<Metres> rows;
  for (const SheetRow& row : Docs().sheet.rows) {
    if (row.kind != SheetRow::Kind::kLocality) continue;
    const Station* station = row.on_route ? StationAt(row.at) : nullptr;
    for (const Station& s : Stations()) {
      EXPECT_EQ(testing::NamesTheStation(row.locality, s.name), &s == station)
          << row.locality << " at " << row.at << " and " << s.name;
    }
    if (station) rows.insert(row.at);
  }
  for (const Station& s : Stations()) EXPECT_GE(rows.count(s.position), 1u) << s.name;
}

// A name with "Piazza" is written "P.ZA" wherever the sheet gives it.
TEST_F(DriversDocumentsTest, TheSheetWritesPiazzaTheOneWay) {
  for (std::size_t i = 0; i < Stations().size(); ++i) {
    if (Stations()[i].name.find("Piazza") == std::string::npos) continue;
    EXPECT_NE(Docs().sheet.stops[i].name.find("P.ZA"), std::string::npos)
        << Docs().sheet.stops[i].name;
    for (const SheetRow& row : Docs().sheet.rows) {
      if (row.on_route && row.at == Stations()[i].position &&
          row.kind == SheetRow::Kind::kLocality) {
        EXPECT_NE(row.locality.find("P.ZA"), std::string::npos) << row.locality;
      }
    }
  }
}

// A platform lies where the gradient is at most 2 per mille.
TEST_F(DriversDocumentsTest, StationsStandOnNearLevelTrack) {
  const auto& gradients = Docs().line.gradients;
  for (const Station& s : Stations()) {
    for (std::size_t g = 0; g < gradients.size(); ++g) {
      const Metres next = g + 1 < gradients.size() ? gradients[g + 1].from : s.StretchEnd();
      if (next <= s.StretchStart() || gradients[g].from >= s.StretchEnd()) continue;
      EXPECT_LE(std::abs(gradients[g].per_mille), 2)
          << s.name << " on " << gradients[g].per_mille << " from " << gradients[g].from;
    }
  }
}

// ---------------------------------------------------------------------------
// The notes

std::vector<std::smatch> Matches(const std::string& text, const std::regex& pattern) {
  return {std::sregex_iterator(text.begin(), text.end(), pattern), std::sregex_iterator()};
}

Metres FromRailwayKilometre(const std::string& text) {
  return std::stol(text) * 1000 + std::stol(text.substr(text.find('+') + 1));
}

TEST_F(DriversDocumentsTest, TheNotesWriteKilometresTheRailwayWay) {
  const auto all = Matches(Docs().notes, std::regex(R"(km (\d[^ ;:)]*))"));
  EXPECT_GE(all.size(), 30u);
  for (const auto& m : all) {
    EXPECT_TRUE(std::regex_match(m[1].str(), std::regex(R"(\d+\+\d{3},?)"))) << m[0];
  }
}

TEST_F(DriversDocumentsTest, TheNotesGiveTheCabSignallingWhereTheLineFileDoes) {
  const auto& line = Docs().line;
  EXPECT_NE(Docs().notes.find("dal " + testing::RailwayKilometre(line.repetition_from)),
            std::string::npos);
  EXPECT_NE(Docs().notes.find("al " + testing::RailwayKilometre(line.repetition_to)),
            std::string::npos);
}

// The notes' rule: a station's entry signal 800 m before its stretch, its
// exit signal 100 m after; a signal elsewhere is named with its kilometre.
TEST_F(DriversDocumentsTest, TheNotesNameEverySignalThatBreaksTheirRule) {
  const auto& signals = Docs().train.signals;
  for (const Station& s : Stations()) {
    if (!s.HasSignals()) continue;
    const auto exit = std::upper_bound(signals.begin(), signals.end(), s.position);
    const auto entry = std::lower_bound(signals.begin(), signals.end(), s.StretchStart());
    ASSERT_NE(exit, signals.end()) << s.name;
    if (*exit != s.StretchEnd() + 100) {
      EXPECT_NE(Docs().notes.find(testing::RailwayKilometre(*exit)), std::string::npos) << s.name;
    }
    if (entry == signals.begin()) continue;  // the line begins here
    if (*(entry - 1) != s.StretchStart() - 800) {
      EXPECT_NE(Docs().notes.find(testing::RailwayKilometre(*(entry - 1))), std::string::npos)
          << s.name;
    }
  }
}

// "Giugliano Qualiano (km 195+000)", "dal km 190+450 al 192+450" and
// "100 km/h dal km 195+250" say what the train and line files say.
TEST_F(DriversDocumentsTest, TheNotesPlaceStationsTunnelsAndLimitsAsTheFilesDo) {
  const std::string& notes = Docs().notes;
  for (const auto& m : Matches(notes, std::regex(R"((\w+) \(km (\d+\+\d{3})\))"))) {
    const Station* station = StationAt(FromRailwayKilometre(m[2]));
    ASSERT_NE(station, nullptr) << m[0];
    EXPECT_TRUE(station->name.ends_with(m[1].str())) << m[0] << " is " << station->name;
  }
  for (const auto& m :
       Matches(notes, std::regex(R"(dal km (\d+\+\d{3}) al (?:km )?(\d+\+\d{3}))"))) {
    const auto& spans = Docs().line.spans;
    EXPECT_TRUE(std::any_of(spans.begin(), spans.end(), [&](const testing::Span& s) {
      return s.start == FromRailwayKilometre(m[1]) && s.end == FromRailwayKilometre(m[2]);
    })) << m[0];
  }
  for (const auto& m : Matches(notes, std::regex(R"((\d+) km/h dal km (\d+\+\d{3}))"))) {
    const Metres at = FromRailwayKilometre(m[2]);
    EXPECT_EQ(LineSpeedAt(at), std::stoi(m[1])) << m[0];
    EXPECT_NE(LineSpeedAt(at - 1), std::stoi(m[1])) << m[0] << ": no change there";
  }
}

// The tunnels the notes call the main ones are on the sheet.
TEST_F(DriversDocumentsTest, TheSheetShowsTheMainTunnelsOfTheNotes) {
  const std::string& notes = Docs().notes;
  const auto from = notes.find("gallerie principali");
  ASSERT_NE(from, std::string::npos);
  const std::string sentence = notes.substr(from, notes.find(';', from) - from);
  const auto named =
      Matches(sentence, std::regex(R"(dal km (\d+\+\d{3}) al (?:km )?(\d+\+\d{3}))"));
  EXPECT_GE(named.size(), 3u);
  for (const auto& m : named) {
    const auto& rows = Docs().sheet.rows;
    for (const auto& [kind, at] : {std::pair{SheetRow::Kind::kEntrance, m[1].str()},
                                   std::pair{SheetRow::Kind::kExit, m[2].str()}}) {
      EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [&](const SheetRow& r) {
        return r.on_route && r.kind == kind && r.at == FromRailwayKilometre(at);
      })) << m[0];
    }
  }
}

}  // namespace
}  // namespace tarvosa
