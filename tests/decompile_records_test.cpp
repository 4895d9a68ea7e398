// The decompiler on records at the edges the cells leave unclear: each
// comes back as the author wrote it, or in the texts that give the same
// bytes, and what cannot be told is said where it is.
#include <gtest/gtest.h>

#include "compile_support.h"
#include "compiler/stored_views.h"
#include "decompiler/comparison.h"
#include "decompiler/recovery.h"
#include "round_trip.h"

namespace tarvosa {
namespace {

using Lines = std::vector<std::string>;

// A 6 km line (cells 0 to 260) with `features` after its general part.
std::string Line(const Lines& features = {}) {
  Lines lines = {"[generale]", "lunghezza percorso, 6000", "[curve]"};
  lines.insert(lines.end(), features.begin(), features.end());
  lines.push_back("[fine]");
  return testing::CrLf(lines);
}

// A train file with its coaches, clock and a line speed, then `records`.
std::string Train(const Lines& records) {
  Lines lines = {"[generale]", "numero vetture, 5", "orologio, 8 0 0", "velocita, 0, 100"};
  lines.insert(lines.end(), records.begin(), records.end());
  lines.push_back("[fine]");
  return testing::CrLf(lines);
}

testing::EncodedFiles Compiled(const std::string& line, const std::string& train) {
  const Compilation c = testing::CompileWithTitles(line, train, "Tarvosa", "Corvale");
  EXPECT_TRUE(c.Writable());
  return testing::Encode(c);
}

bool Holds(const std::string& text, const std::string& line) {
  return text.find(line + "\r\n") != std::string::npos;
}

// Each text is whole: its sections in the order the readers take them, and
// its end line last.
TEST(DecompileRecords, BothTextsEndWithTheirEndLine) {
  const auto trip = testing::DecompileAndCompile(Compiled(Line(), Train({})));
  for (const std::string* text : {&trip.decompiled.line_text, &trip.decompiled.train_text}) {
    ASSERT_GE(text->size(), 8u);
    EXPECT_EQ(text->substr(0, 12), "[generale]\r\n");
    EXPECT_EQ(text->substr(text->size() - 8), "[fine]\r\n");
  }
}

// The first station's extension flag is stored as 0, but its stretch keeps
// the 50 m: the flag comes back as 1.
TEST(DecompileRecords, TheFirstStationsExtensionComesBackFromItsStretch) {
  const auto trip = testing::DecompileAndCompile(
      Compiled(Line(), Train({"stazione, 1000, 2, 400, 0, 0, 1, 0,0,0, 0,0,0, 0, 8, 0, 0, Nome"})));
  EXPECT_EQ(testing::WarningsText(trip.decompiled), "");
  EXPECT_TRUE(trip.second == trip.first);
  EXPECT_TRUE(Holds(trip.decompiled.train_text,
                    "stazione,  1000,  2,  400,  0,  0,  1,  0,  0,  0,  0,  0,  0,  0,  8,  0,  "
                    "0,  Nome"))
      << trip.decompiled.train_text;
}

// A line speed that changes in cell U - 3, the last a record fills to.
TEST(DecompileRecords, AProfileChangeInTheLastCellARecordFillsIsKept) {
  const auto trip = testing::DecompileAndCompile(Compiled(Line(), Train({"velocita, 12850, 60"})));
  EXPECT_EQ(testing::WarningsText(trip.decompiled), "");
  EXPECT_TRUE(trip.second == trip.first);
  EXPECT_TRUE(Holds(trip.decompiled.train_text, "velocita,  12850,  60"));
}

// The second board's cell went to a station's stop cell: its text is still
// in the table, and is written at a stop cell, which gives the same bytes.
TEST(DecompileRecords, ATextBoardWhoseCellAStationTookIsWrittenAtAStopCell) {
  const auto files =
      Compiled(Line({"cartello_indicatore, 2000, (Uno)", "cartello_indicatore, 3000, (Due)"}),
               Train({"stazione, 2900, 2, 400, 0, 0, 0, 0,0,0, 0,0,0, 0, 8, 0, 0, Nome"}));
  const auto trip = testing::DecompileAndCompile(files);
  EXPECT_TRUE(trip.second == trip.first);
  EXPECT_EQ(testing::WarningsText(trip.decompiled),
            "cell 61 (3000 m): the text board of entry 79 is in no cell: a station's stop cell "
            "took it; it is written here, at a stop cell, which gives the same bytes, but where "
            "it stood cannot be told\n");
}

// A station written after a signal puts its fourth approach code, 84, over
// the signal's first: the signal must come before the stations.
TEST(DecompileRecords, ASignalWhoseCodeAStationsFourthCodeCoversComesBeforeTheStations) {
  const auto files =
      Compiled(Line(), Train({"segnale, 5000, 2, 4, 0, 0, 0, 0, 0, 0, 0, 0",
                              "stazione, 5000, 2, 400, 0, 0, 0, 0,0,0, 0,0,0, 0, 8, 0, 0, Nome"}));
  const auto trip = testing::DecompileAndCompile(files);
  EXPECT_EQ(testing::WarningsText(trip.decompiled), "");
  EXPECT_TRUE(trip.second == trip.first);
  const std::string& texts = trip.decompiled.train_text;
  EXPECT_LT(texts.find("segnale,  5000"), texts.find("stazione,  5000"));
}

// A slow-down whose start a station's stop cell took leaves its end alone:
// the next zone takes the end after its own start, not the one before.
TEST(DecompileRecords, AZoneEndsAfterItsStartNeverBefore) {
  const auto files = Compiled(
      Line(),
      Train({"rallentamento, 5000, 30, 200, 0, 0, 0", "rallentamento, 5250, 30, 300, 0, 0, 0",
             "stazione, 4900, 2, 400, 0, 0, 0, 0,0,0, 0,0,0, 0, 8, 0, 0, Nome"}));
  const auto trip = testing::DecompileAndCompile(files);
  EXPECT_TRUE(Holds(trip.decompiled.train_text, "rallentamento,  5250,  30,  300,  0,  0,  0"))
      << trip.decompiled.train_text;
}

// A type above 10 means markers: one stored without them is written as the
// number below 0 that wraps to it.
TEST(DecompileRecords, ASpanTypeAbove10WithoutMarkersIsWrittenAsANumberThatWrapsToIt) {
  const auto trip =
      testing::DecompileAndCompile(Compiled(Line({"montagna, 1000, 2000, -236"}), Train({})));
  EXPECT_TRUE(trip.second == trip.first);
  EXPECT_EQ(testing::WarningsText(trip.decompiled),
            "cell 20 (950 m): a span type of 20 without markers is written as -236, which wraps "
            "to it\n");
  EXPECT_TRUE(Holds(trip.decompiled.line_text, "montagna,  1000,  2000,  -236"));
}

// A span starting at most 150 m after the one before takes type 3: one that
// kept another type had an empty span written before it.
TEST(DecompileRecords, ACloseSpanOfItsOwnTypeComesBackAfterAnEmptySpan) {
  const auto trip = testing::DecompileAndCompile(
      Compiled(Line({"montagna, 1000, 2000, 1", "montagna, 0, 0, 0", "montagna, 2100, 3000, 2"}),
               Train({})));
  EXPECT_TRUE(trip.second == trip.first);
  EXPECT_EQ(testing::WarningsText(trip.decompiled),
            "cell 42 (2050 m): an empty tunnel span is written before the span here, so that it "
            "keeps its type 2 rather than take 3 from the span before\n");
  EXPECT_TRUE(
      Holds(trip.decompiled.line_text, "montagna,  0,  0,  0\r\nmontagna,  2100,  3000,  2"))
      << trip.decompiled.line_text;
}

// A board with no text is found by its cell alone: the table's texts stop
// at the first empty one.
TEST(DecompileRecords, ABoardWithNoTextComesBack) {
  const auto trip = testing::DecompileAndCompile(Compiled(
      Line({"cartello_indicatore, 2000, (Uno)", "cartello_indicatore, 3000, ,"}), Train({})));
  EXPECT_EQ(testing::WarningsText(trip.decompiled), "");
  EXPECT_TRUE(trip.second == trip.first);
  const auto alone =
      testing::DecompileAndCompile(Compiled(Line({"cartello_indicatore, 3000, ,"}), Train({})));
  EXPECT_EQ(testing::WarningsText(alone.decompiled), "");
  EXPECT_TRUE(alone.second == alone.first);
  EXPECT_TRUE(Holds(alone.decompiled.line_text, "cartello_indicatore,  3000,   ,"))
      << alone.decompiled.line_text;
}

// Entries 80 down to 1 hold the boards' texts: the 80th board, in entry 1,
// is found by its cell alone when it has no text.
TEST(DecompileRecords, TheEightiethBoardComesBackWithoutAText) {
  Lines boards;
  for (int b = 0; b < 79; ++b)
    boards.push_back("cartello_indicatore, " + std::to_string(100 + 50 * b) + ", (T)");
  boards.push_back("cartello_indicatore, 5000, ,");
  const auto trip = testing::DecompileAndCompile(Compiled(Line(boards), Train({})));
  EXPECT_EQ(testing::WarningsText(trip.decompiled), "");
  EXPECT_TRUE(trip.second == trip.first);
  EXPECT_TRUE(Holds(trip.decompiled.line_text, "cartello_indicatore,  5000,   ,"));
}

// Cell 1's first value holds the track's marker, never a board's speeds: a
// board found there (in a track no compile writes) is given first speeds 0.
TEST(DecompileRecords, ABoardInCellOneTakesNoSpeedsFromTheMarker) {
  const auto files = Compiled(Line(), Train({}));
  std::vector<TrackCell> cells = *DecodeTrackCells(files.track);
  ASSERT_NE(cells[1].value_a, 0);  // the marker
  cells[1].kind = kSpeedBoard;
  const Result<Decompilation> d =
      Decompile({.track = EncodeTrackCells(cells), .table = files.table, .plan = files.plan});
  ASSERT_TRUE(d.ok()) << d.status().message();
  EXPECT_NE(d->line_text.find("indicatori_vmax,  0,  0,  "), std::string::npos) << d->line_text;
}

// A curve may bend the plan up to its last computed row, N - 2.
TEST(DecompileRecords, ACurveUpToThePlansLastComputedRowComesBack) {
  const auto trip =
      testing::DecompileAndCompile(Compiled(Line({"curvad1, 12800, 198"}), Train({})));
  EXPECT_EQ(testing::WarningsText(trip.decompiled), "");
  EXPECT_TRUE(trip.second == trip.first);
  EXPECT_TRUE(Holds(trip.decompiled.line_text, "curvad1,  12800,  198"));
}

// A plan of the origin alone is laid out as a plan, but not this line's.
TEST(DecompileRecords, APlanOfTwoRowsBelongsToAnotherScenario) {
  const auto files = Compiled(Line(), Train({}));
  LineData origin_only{.last_row = 1, .origin_set = true, .x = {}, .y = {}};
  const Result<Decompilation> d =
      Decompile({.track = files.track, .table = files.table, .plan = EncodeLineData(origin_only)});
  ASSERT_FALSE(d.ok());
  EXPECT_EQ(d.status().message(),
            "the plan: the plan has 2 rows, but the table's line length of 6000 m gives 13001: "
            "the plan belongs to another scenario");
}

// The plan's second row is the origin's second value, stored as an integer:
// the same value stored as a real is not a plan the compiler writes.
TEST(DecompileRecords, APlanWhoseOriginIsStoredAsARealIsRefused) {
  const auto files = Compiled(Line(), Train({}));
  std::string plan = files.plan;
  ASSERT_EQ(plan.substr(4, 4), std::string("\x02\x00\x00\x00", 4));       // row 1 of x: integer 0
  plan.replace(4, 4, std::string("\x05\x00", 2) + std::string(8, '\0'));  // a real 0.0
  const Result<Decompilation> d =
      Decompile({.track = files.track, .table = files.table, .plan = plan});
  ASSERT_FALSE(d.ok());
  EXPECT_NE(d.status().message().find("are not the plan of a line"), std::string::npos)
      << d.status().message();
}

// The references come back in an order that puts them where they stand;
// entries that no references are put in are written as stored, and said.
TEST(DecompileRecords, KilometreReferencesComeBackOrWarn) {
  const std::string line = testing::CrLf(
      Lines{"[generale]", "lunghezza percorso, 6000", "progressiva chilometrica uno, 1000, 2000, 0",
            "progressiva chilometrica due, 3000, 4000, 1",
            "progressiva chilometrica tre, 1000, 500, 0", "[fine]"});
  const auto files = Compiled(line, Train({}));
  const auto trip = testing::DecompileAndCompile(files);
  EXPECT_EQ(testing::WarningsText(trip.decompiled), "");
  EXPECT_TRUE(trip.second == trip.first);

  ScenarioHeader header = *DecodeScenarioHeader(files.table);
  std::swap(header[kReferenceTre], header[kReferenceDue]);  // the greatest start not first
  const auto swapped =
      testing::DecompileAndCompile({files.track, EncodeScenarioHeader(header), files.plan});
  EXPECT_EQ(
      testing::WarningsText(swapped.decompiled)
          .rfind("entries 81 to 83: no three kilometre references are put in this order; written "
                 "as stored\n",
                 0),
      0u)
      << testing::WarningsText(swapped.decompiled);
}

// Records stacked in the last cell a record may stand in fill the cells
// after it: only records out of order there give them back.
TEST(DecompileRecords, AProfileRunningPastTheLastRecordsCellIsWrittenOutOfOrder) {
  const auto trip = testing::DecompileAndCompile(Compiled(
      Line(), Train({"velocita, 12900, 60", "velocita, 12900, 70", "velocita, 12900, 80"})));
  EXPECT_TRUE(trip.second == trip.first);
  EXPECT_EQ(testing::WarningsText(trip.decompiled),
            "cell 259 (12900 m): the line speed runs on past the cell where the last record may "
            "stand: written with records out of order in cell 258 (12850 m), as only they fill "
            "it\n");
}

// A time that is a whole hour less one second apart from the hour: any
// hours, minutes and seconds that add up will do, and these are the clock's.
TEST(DecompileRecords, AStationsTimeComesBackAsTheClockReadsIt) {
  const auto trip = testing::DecompileAndCompile(Compiled(
      Line(), Train({"stazione, 1000, 2, 400, 0, 0, 0, 0,0,0, 0,0,0, 0, 9, 59, 55, Nome"})));
  EXPECT_TRUE(trip.second == trip.first);
  EXPECT_NE(trip.decompiled.train_text.find(",  9,  59,  55,  Nome\r\n"), std::string::npos)
      << trip.decompiled.train_text;
}

// Twenty differences are told one by one, the rest counted.
TEST(DecompileRecords, PastTwentyDifferencesTheRestAreCounted) {
  const std::vector<TrackCell> file(30);
  std::vector<TrackCell> texts(30);
  for (std::size_t c = 0; c < 21; ++c) texts[c].gradient = 100;
  std::vector<DecompileWarning> warnings;
  decompiler::CompareTrack(file, texts, warnings);
  ASSERT_EQ(warnings.size(), 21u);
  EXPECT_EQ(warnings[19].text.rfind("cell 19 (900 m): ", 0), 0u) << warnings[19].text;
  EXPECT_EQ(warnings[20].text, "1 more cells differ in the same way or another");

  ScenarioHeader header_file{}, header_texts{};
  for (std::size_t e = 0; e < 20; ++e) header_texts[e].kind = 1;
  warnings.clear();
  decompiler::CompareTable(header_file, header_texts, warnings);
  EXPECT_EQ(warnings.size(), 20u);
  header_texts[20].kind = 1;
  warnings.clear();
  decompiler::CompareTable(header_file, header_texts, warnings);
  ASSERT_EQ(warnings.size(), 21u);
  EXPECT_EQ(warnings[20].text, "1 more entries differ in the same way or another");
}

// Board texts are read from entry 80 down while they look like texts; a
// station's entry next to them is no board, and stands after an empty one.
TEST(DecompileRecords, AStationNextToTheBoardTextsIsNoBoard) {
  const auto files = Compiled(Line({"cartello_indicatore, 2000, (Uno)"}), Train({}));
  ScenarioHeader header = *DecodeScenarioHeader(files.table);
  header[79].kind = 2;
  header[79].name = "X";
  const auto trip =
      testing::DecompileAndCompile({files.track, EncodeScenarioHeader(header), files.plan});
  const std::string warnings = testing::WarningsText(trip.decompiled);
  EXPECT_EQ(
      warnings.rfind("entry 79: a station after an empty entry cannot be written; left out\n", 0),
      0u)
      << warnings;
  EXPECT_EQ(trip.decompiled.line_text.find("X"), std::string::npos);
}

// Rows of the plan that no curve explains are counted, from the first.
TEST(DecompileRecords, RowsNoCurveExplainsAreCountedFromTheFirst) {
  Compilation c =
      testing::CompileWithTitles(Line({"curvad3, 2000, 300"}), Train({}), "Tarvosa", "Corvale");
  c.scenario.plan->x[500 - 2] += 0.25;  // the computed rows start at row 2
  const auto trip = testing::DecompileAndCompile(testing::Encode(c));
  const std::string warnings = testing::WarningsText(trip.decompiled);
  EXPECT_EQ(warnings.rfind("row 500: 3 rows follow from the rows before them by no curve class "
                           "and side; they are written as straight\n",
                           0),
            0u)
      << warnings;
}

// Points without a value, and a value that wraps to 0, come back as the
// cells hold them.
TEST(DecompileRecords, BrakingPointsWithoutAValueOrWhoseValueWrapsToNothing) {
  const auto trip = testing::DecompileAndCompile(
      Compiled(Line(), Train({"abbattimento, 2000, 0", "abbattimento, 2500, -5",
                              "abbattimento, 3000, 65536", "abbattimento, 3500, 1"})));
  EXPECT_TRUE(trip.second == trip.first);
  EXPECT_TRUE(Holds(trip.decompiled.train_text, "abbattimento,  2000,  0"));
  EXPECT_TRUE(Holds(trip.decompiled.train_text, "abbattimento,  2500,  0"));
  EXPECT_TRUE(Holds(trip.decompiled.train_text, "abbattimento,  3500,  1"));
  EXPECT_EQ(testing::WarningsText(trip.decompiled),
            "cell 60 (2950 m): a braking point's value of 0 cannot be written, as a value of 0 "
            "or less makes a point without one: written as 65536, which wraps to it\n");
}

// Two zones with the same values, the second starting inside the first:
// each end is taken once, the first zone's by the first.
TEST(DecompileRecords, OverlappingZonesTakeAnEndEach) {
  const auto trip = testing::DecompileAndCompile(Compiled(
      Line(),
      Train({"rallentamento, 5000, 30, 400, 0, 0, 0", "rallentamento, 5200, 30, 400, 0, 0, 0"})));
  EXPECT_EQ(testing::WarningsText(trip.decompiled), "");
  EXPECT_TRUE(trip.second == trip.first);
}

// A zone's end holding other values than its start is still its end.
TEST(DecompileRecords, AZoneTakesTheNearestEndWhenNoneMatchesItsValues) {
  decompiler::CompiledInput in;
  in.cells.resize(40);
  in.cells[10].kind = kSlowDownStart;
  SlowDownCell{in.cells[10]}.speed = 30;
  in.cells[14].kind = kSlowDownEnd;
  SlowDownCell{in.cells[14]}.speed = 40;
  decompiler::Recovery recovery;
  decompiler::RecoverSlowDowns(in, recovery);
  EXPECT_EQ(recovery.slow_downs,
            (std::vector<std::string>{"rallentamento,  450,  30,  200,  0,  0,  0"}));
}

// A span may start up to 100 m before the last cell, as the reader takes it.
TEST(DecompileRecords, ASpanAsNearTheEndAsTheReaderTakesComesBack) {
  const auto trip =
      testing::DecompileAndCompile(Compiled(Line({"montagna, 12900, 12950, 1"}), Train({})));
  EXPECT_EQ(testing::WarningsText(trip.decompiled), "");
  EXPECT_TRUE(trip.second == trip.first);
}

// A track of two cells, the least a compile writes, is a compiled track.
TEST(DecompileRecords, ATrackOfTwoCellsIsDecompiled) {
  const std::string line =
      testing::CrLf(Lines{"[generale]", "lunghezza percorso, -6950", "[fine]"});
  const auto files = Compiled(line, Train({}));
  ASSERT_EQ(files.track.size(), 2 * 15u);
  const auto trip = testing::DecompileAndCompile(files);
  EXPECT_TRUE(trip.refusal.ok()) << trip.refusal.message();
}

// A text no cell points to and no stop cell can take is left out, and said.
TEST(DecompileRecords, ABoardTextNoCellCanTakeIsLeftOut) {
  const auto files = Compiled(Line({"cartello_indicatore, 2000, (Uno)"}), Train({}));
  ScenarioHeader header = *DecodeScenarioHeader(files.table);
  header[79].name = "(Due)";
  const auto trip =
      testing::DecompileAndCompile({files.track, EncodeScenarioHeader(header), files.plan});
  const std::string warnings = testing::WarningsText(trip.decompiled);
  EXPECT_EQ(warnings.rfind("entry 79: no cell holds this text board, and no station's stop cell "
                           "is left to put it in; left out\n",
                           0),
            0u)
      << warnings;
  EXPECT_EQ(trip.decompiled.line_text.find("(Due)"), std::string::npos);
}

// A stretch no length gives (its two sides not alike) is said.
TEST(DecompileRecords, AStretchNoLengthGivesIsSaid) {
  const auto files =
      Compiled(Line(), Train({"stazione, 1000, 2, 400, 0, 0, 0, 0,0,0, 0,0,0, 0, 8, 0, 0, Nome"}));
  ScenarioHeader header = *DecodeScenarioHeader(files.table);
  header[1].end = 1300;
  const auto trip =
      testing::DecompileAndCompile({files.track, EncodeScenarioHeader(header), files.plan});
  const std::string warnings = testing::WarningsText(trip.decompiled);
  EXPECT_EQ(warnings.rfind("entry 1: no length gives the station of type 2 at 1000 its stretch "
                           "from 800 to 1300\n",
                           0),
            0u)
      << warnings;
}

// A plan that differs in one value of one row is told, at that row.
TEST(DecompileRecords, APlanDifferingInOneValueIsTold) {
  const Compilation c = testing::CompileWithTitles(Line(), Train({}), "Tarvosa", "Corvale");
  const auto file = DecodeLineData(EncodeLineData(*c.scenario.plan));
  LineData texts = *c.scenario.plan;
  texts.y[700 - 2] += 1;
  std::vector<DecompileWarning> warnings;
  decompiler::ComparePlan(*file, texts, warnings);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0].text,
            "row 700: the texts give a plan of which 1 rows differ from the file's, the first "
            "here");
}

}  // namespace
}  // namespace tarvosa
