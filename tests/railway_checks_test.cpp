// The railway checks: each warns at the field it concerns, only where a
// railway would not run as written, and only when asked for.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "compile_support.h"
#include "scenario/line_table.h"
#include "scenario/train_table.h"

namespace tarvosa {
namespace {

using Lines = std::vector<std::string>;

// A 30 km line: a gradient, a curve of class 4 (162 km/h at most) taken at
// 140 km/h, two tunnel spans and a board sequence announcing the 120 km/h
// that begins 900 m after its last board.
const std::string kFeatures =
    "pendenza,  0,  5\r\n"
    "curvad4,  3000,  400\r\n"
    "montagna,  5000,  6000,  1\r\n"
    "montagna,  6400,  7000,  11\r\n"
    "indicatori_vmax,  8000,  100,  110,  120,  2,  ,  ,  ,  0\r\n"
    "indicatori_vmax,  8300,  100,  110,  120,  1,  ,  ,  ,  0\r\n"
    "indicatori_vmax,  8600,  100,  110,  120,  0,  ,  ,  ,  0\r\n";

std::string LineWith(const std::string& features) {
  return "[generale]\r\nlunghezza percorso,  30000\r\n[curve]\r\n" + features + "[fine]\r\n";
}

std::string Station(int position, const std::string& time, const std::string& name) {
  return "stazione,  " + std::to_string(position) + ",  2,  400,  0, 0, 0, 0,0,0, 4,1,1, 0, " +
         time + ", " + name + "\r\n";
}

// 140 km/h, then 120 from 9500 m; stations 10 km apart reached at 100 km/h,
// one of them without a time.
const std::string kStations =
    Station(1000, "8, 1, 0", "Borgo") + Station(11000, "8, 7, 0", "Molini") +
    Station(21000, "0, 0, 0", "Pieve") + Station(25000, "8,15, 0", "Lago");

std::string TrainWith(const std::string& records, const std::string& speeds =
                                                      "velocita,  0,  140\r\n"
                                                      "velocita,  9500,  120\r\n") {
  return "[generale]\r\nnumero vetture,  6\r\norologio,  8  0  0\r\n" + speeds + records +
         "[fine]\r\n";
}

// Every warning, as "FILE:LINE:COLUMN: words".
Lines Warnings(const std::string& line, const std::string& train, bool checks = true) {
  CompileInput input = testing::Input(line, train, true);
  input.railway_checks = checks;
  const Compilation compiled = Compile(input);
  EXPECT_FALSE(compiled.diagnostics.HasError());
  Lines warnings;
  for (const Warning& w : compiled.diagnostics.warnings()) {
    warnings.push_back(Where(w.at, {"linea.txt", line}, {"treno.txt", train}) + ": " + w.text);
  }
  return warnings;
}

// "FILE:LINE:COLUMN" of the first `token` on the line that begins with
// `line_start` in `text`.
std::string Place(const std::string& file, const std::string& text, const std::string& line_start,
                  const std::string& token) {
  const std::size_t line_at = text.find("\n" + line_start) + 1;
  const std::size_t at = text.find(token, line_at);
  const auto line = 1 + std::count(text.begin(), text.begin() + static_cast<long>(line_at), '\n');
  return file + ":" + std::to_string(line) + ":" + std::to_string(at - line_at + 1);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

TEST(RailwayChecks, ARailwayThatRunsAsWrittenHasNoWarning) {
  EXPECT_EQ(Warnings(LineWith(kFeatures), TrainWith(kStations)), Lines{});
}

TEST(RailwayChecks, TimesIncreaseAlongTheLine) {
  const std::string train =
      TrainWith(Replaced(Replaced(kStations, "8, 1, 0", "7,31,40"), "8, 7, 0", "7,30, 0"));
  EXPECT_EQ(Warnings(LineWith(kFeatures), train),
            Lines{Place("treno.txt", train, "stazione,  11000", "7,30") +
                  ": the time 07:30:00 at 'Molini' is not after 07:31:40 at 'Borgo', the timed "
                  "station before it: times must increase along the line"});
  // The same time twice is no increase; a station without a time is passed.
  const std::string same = TrainWith(Replaced(kStations, "8,15, 0", "8, 7, 0"));
  EXPECT_EQ(Warnings(LineWith(kFeatures), same),
            Lines{Place("treno.txt", same, "stazione,  25000", "8, 7") +
                  ": the time 08:07:00 at 'Lago' is not after 08:07:00 at 'Molini', the timed "
                  "station before it: times must increase along the line"});
}

TEST(RailwayChecks, TimesAreTimesOfDay) {
  const std::string train = TrainWith(Replaced(kStations, "8,15, 0", "40,60,75"));
  EXPECT_EQ(Warnings(LineWith(kFeatures), train),
            (Lines{Place("treno.txt", train, "stazione,  25000", "40,60") +
                       ": the hour 40 is out of range: a time of day has hours 0 to 23",
                   Place("treno.txt", train, "stazione,  25000", "60,75") +
                       ": the minute 60 is out of range: a time of day has minutes 0 to 59",
                   Place("treno.txt", train, "stazione,  25000", "75,") +
                       ": the second 75 is out of range: a time of day has seconds 0 to 59"}));
  const std::string clock = Replaced(TrainWith(kStations), "8  0  0", "24  0  0");
  EXPECT_EQ(Warnings(LineWith(kFeatures), clock),
            Lines{"treno.txt:3:12: the hour 24 is out of range: a time of day has hours 0 to 23"});
}

TEST(RailwayChecks, AnAverageAboveTheHighestLineSpeedBetweenTwoStations) {
  // 10000 m in 257 s is 140.07 km/h, in 258 s 139.5 km/h.
  const std::string fast = TrainWith(Replaced(kStations, "8, 7, 0", "8, 5,17"));
  EXPECT_EQ(Warnings(LineWith(kFeatures), fast),
            Lines{Place("treno.txt", fast, "stazione,  11000", "8, 5") +
                  ": from 'Borgo' to 'Molini', 10000 m in 257 s is an average of 140 km/h, above "
                  "the highest line speed between them, 140 km/h"});
  EXPECT_EQ(Warnings(LineWith(kFeatures), TrainWith(Replaced(kStations, "8, 7, 0", "8, 5,18"))),
            Lines{});
  // The highest speed in force anywhere between them counts.
  const std::string faster_stretch =
      TrainWith(Replaced(kStations, "8, 7, 0", "8, 5,17"),
                "velocita,  0,  140\r\nvelocita,  6000,  160\r\nvelocita,  7000,  140\r\n"
                "velocita,  9500,  120\r\n");
  EXPECT_EQ(Warnings(LineWith(kFeatures), faster_stretch), Lines{});
}

TEST(RailwayChecks, ABoardAnnouncesTheLineSpeedThatFollowsIt) {
  const std::string line =
      LineWith(kFeatures + "indicatori_vmax,  15000,  55,  60,  70,  0,  ,  ,  ,  0\r\n");
  const std::string train = TrainWith(
      kStations, "velocita,  0,  140\r\nvelocita,  9500,  120\r\nvelocita,  15500,  90\r\n");
  EXPECT_EQ(Warnings(line, train),
            Lines{Place("linea.txt", line, "indicatori_vmax,  15000", "55") +
                  ": the board announces 55, 60 and 70 km/h, but the line speed 1000 m past it, "
                  "at 16000 m, is 90 km/h"});
  EXPECT_EQ(Warnings(Replaced(line, "70,  0", "90,  0"), train), Lines{});
  // A limit that holds for less than 1000 m is announced by the first
  // speed that begins past the board.
  const std::string short_limit =
      TrainWith(kStations,
                "velocita,  0,  140\r\nvelocita,  9500,  120\r\nvelocita,  15000,  70\r\n"
                "velocita,  15600,  80\r\n");
  EXPECT_EQ(Warnings(line, short_limit), Lines{});
}

TEST(RailwayChecks, ABoardWithStripesIsJudgedByTheBoardThatEndsItsSequence) {
  // Without its last board, the first two are judged where they stand.
  const std::string cut = LineWith(
      Replaced(kFeatures, "indicatori_vmax,  8600,  100,  110,  120,  0,  ,  ,  ,  0\r\n", ""));
  EXPECT_EQ(Warnings(cut, TrainWith(kStations)),
            (Lines{Place("linea.txt", cut, "indicatori_vmax,  8000", "100") +
                       ": the board announces 100, 110 and 120 km/h, but the line speed 1000 m "
                       "past it, at 9000 m, is 140 km/h",
                   Place("linea.txt", cut, "indicatori_vmax,  8300", "100") +
                       ": the board announces 100, 110 and 120 km/h, but the line speed 1000 m "
                       "past it, at 9300 m, is 140 km/h"}));
  const std::string line = LineWith(kFeatures);
  const std::string other = TrainWith(kStations, "velocita,  0,  140\r\nvelocita,  9500,  130\r\n");
  const Lines warnings = Warnings(line, other);
  ASSERT_EQ(warnings.size(), 3u);
  EXPECT_EQ(warnings[0], Place("linea.txt", line, "indicatori_vmax,  8000", "100") +
                             ": the board announces 100, 110 and 120 km/h, but the line speed "
                             "1000 m past the board without stripes that ends its sequence (at "
                             "8600 m), at 9600 m, is 130 km/h");
}

TEST(RailwayChecks, ACurveTooTightForTheLineSpeed) {
  const std::string line = LineWith(Replaced(kFeatures, "curvad4", "curvad5"));
  EXPECT_EQ(Warnings(line, TrainWith(kStations)),
            Lines{Place("linea.txt", line, "curvad5", "curvad5") +
                  ": a curve of class 5 (radius 500 m) is taken at 114 km/h at most (160 mm "
                  "cant, 150 mm cant deficiency), but the line speed on it reaches 140 km/h"});
  // The highest speed over the curve counts: 110 up to 3300 m, then 115.
  const std::string slow =
      "velocita,  0,  110\r\nvelocita,  3300,  115\r\nvelocita,  9500,  120\r\n";
  EXPECT_EQ(Warnings(line, TrainWith("", slow)).size(), 1u);
  EXPECT_EQ(Warnings(line, TrainWith("", "velocita,  0,  110\r\nvelocita,  9500,  120\r\n")),
            Lines{});
}

// A curve given the wrong side in a run of curves the same way: it meets
// the one before it with no straight between, bending the other way.
TEST(RailwayChecks, CurvesTheOtherWayWithNoStraightBetween) {
  const std::string same = "curvad4,  3000,  400\r\ncurvad4,  3400,  300\r\n";
  EXPECT_EQ(Warnings(LineWith(Replaced(kFeatures, "curvad4,  3000,  400\r\n", same)),
                     TrainWith(kStations)),
            Lines{});
  const std::string line = LineWith(Replaced(kFeatures, "curvad4,  3000,  400\r\n",
                                             Replaced(same, "curvad4,  3400", "curvas4,  3400")));
  EXPECT_EQ(Warnings(line, TrainWith(kStations)),
            Lines{Place("linea.txt", line, "curvas4", "curvas4") +
                  ": this left curve begins at 3400 m, where the right curve before it still "
                  "bends (to 3400 m): curves the other way need a straight between them for the "
                  "cant to run out, so the side of one of them may be wrong"});
  // A straight of a metre between them is enough for this check.
  const std::string apart = LineWith(Replaced(kFeatures, "curvad4,  3000,  400\r\n",
                                              "curvad4,  3000,  400\r\ncurvas4,  3401,  300\r\n"));
  EXPECT_EQ(Warnings(apart, TrainWith(kStations)), Lines{});
}

TEST(RailwayChecks, AGradeSteeperThanAdhesionWorks) {
  const std::string line = LineWith(kFeatures +
                                    "pendenza,  12000,  36\r\npendenza,  13000,  35\r\n"
                                    "pendenza,  14000,  -35\r\npendenza,  15000,  -36\r\n");
  const std::string words =
      " per mille is steeper than 35, the steepest of main lines worked by adhesion alone";
  EXPECT_EQ(
      Warnings(line, TrainWith(kStations)),
      (Lines{Place("linea.txt", line, "pendenza,  12000", "36") + ": a gradient of 36" + words,
             Place("linea.txt", line, "pendenza,  15000", "-36") + ": a gradient of -36" + words}));
}

TEST(RailwayChecks, TheSameRecordTwice) {
  // The keyword in either letter case, the values as numbers. (The reader
  // also warns of the second gradient in the cell of the first.)
  const std::string line =
      LineWith(kFeatures + "pendenza,  12000,  8\r\nPendenza,  12000,  08\r\n");
  const Lines warnings = Warnings(line, TrainWith(kStations));
  EXPECT_NE(std::find(warnings.begin(), warnings.end(),
                      "linea.txt:12:1: this 'Pendenza' record repeats the one on line 11 word "
                      "for word"),
            warnings.end());
  EXPECT_EQ(warnings.size(), 2u);
  // The same keyword with another value is another record.
  const std::string other =
      LineWith(kFeatures + "pendenza,  12000,  8\r\npendenza,  12000,  9\r\n");
  EXPECT_EQ(Warnings(other, TrainWith(kStations)).size(), 1u);
  // Another keyword with the same values is another record, however alike
  // the keywords: a gradient and a short curve, curves of two classes. The
  // checks add nothing to what the reader says of them.
  for (const std::string pair : {"pendenza,  12000,  5\r\ncurvad4,  12000,  5\r\n",
                                 "curvad4,  12000,  5\r\ncurvad3,  12000,  5\r\n"}) {
    const std::string line = LineWith(kFeatures + pair);
    EXPECT_EQ(Warnings(line, TrainWith(kStations)), Warnings(line, TrainWith(kStations), false))
        << pair;
  }
  // A setting given twice alike changes nothing, and is let be.
  EXPECT_EQ(
      Warnings(LineWith(kFeatures), TrainWith(kStations + "sabbia,  180\r\nsabbia,  180\r\n")),
      Lines{});
}

TEST(RailwayChecks, ATunnelSpanTwiceOrOverlappingAnother) {
  const std::string twice = LineWith(
      Replaced(kFeatures, "montagna,  6400", "montagna,  5000,  6000,  1\r\nmontagna,  6400"));
  EXPECT_EQ(Warnings(twice, TrainWith(kStations)),
            Lines{"linea.txt:7:12: the tunnel span from 5000 m to 6000 m repeats the one on line "
                  "6 word for word; beginning 150 m or less after the span before it ends, its "
                  "cells get type 3"});
  const std::string overlap = LineWith(Replaced(kFeatures, "6400,", "5900,"));
  EXPECT_EQ(Warnings(overlap, TrainWith(kStations)),
            Lines{"linea.txt:7:12: the tunnel span from 5900 m to 7000 m overlaps the one from "
                  "5000 m to 6000 m on line 6; beginning 150 m or less after the span before it "
                  "ends, its cells get type 3"});
  // Spans that only touch do not overlap.
  const std::string touching = LineWith(Replaced(kFeatures, "6400,", "6000,"));
  EXPECT_EQ(Warnings(touching, TrainWith(kStations)), Lines{});
}

TEST(RailwayChecks, AStationNameWithBlanksAtItsEnds) {
  const std::string train = TrainWith(Replaced(kStations, "Molini", "Molini   "));
  EXPECT_EQ(Warnings(LineWith(kFeatures), train),
            Lines{Place("treno.txt", train, "stazione,  11000", "Molini") +
                  ": the station name 'Molini   ' has blanks at its start or end, which are "
                  "stored with it"});
  // A tab is no blank to the reader, so it can begin a name.
  const Lines tab =
      Warnings(LineWith(kFeatures), TrainWith(Replaced(kStations, "Molini", "\tMolini")));
  EXPECT_EQ(std::count_if(tab.begin(), tab.end(),
                          [](const std::string& w) {
                            return w.ends_with(
                                "has blanks at its start or end, which are "
                                "stored with it");
                          }),
            1);
}

TEST(RailwayChecks, OnlyWhenAskedFor) {
  const std::string line =
      LineWith(kFeatures + "pendenza,  12000,  60\r\nmontagna,  5000,  6000,  1\r\n");
  EXPECT_EQ(Warnings(line, TrainWith(Replaced(kStations, "8, 7, 0", "7, 7, 0")), false), Lines{});
}

TEST(RailwayChecks, TheTrainRecordsReadAreCounted) {
  const std::string line = LineWith(kFeatures);
  EXPECT_EQ(Compile(testing::Input(line, TrainWith(""), true)).train_records, 4);
  EXPECT_EQ(Compile(testing::Input(line, "numero vetture,  6\r\n[fine]\r\n", true)).train_records,
            0);
}

// The example scenario, checked: the railway checks add no warning to it.
TEST(RailwayChecks, TheExampleRaisesNoNewWarning) {
  const std::string line = testing::CrLf(scenario::kLineDefinition);
  const std::string train = testing::CrLf(scenario::kTrainData);
  const Lines plain = Warnings(line, train, false);
  const Lines checked = Warnings(line, train, true);
  EXPECT_EQ(std::set<std::string>(checked.begin(), checked.end()),
            std::set<std::string>(plain.begin(), plain.end()));
}

}  // namespace
}  // namespace tarvosa
