// The line half of memorizza_dati, on small line files and on this
// scenario's own.
#include "compiler/internal/line_reader.h"

#include "compiler/internal/arithmetic.h"

#include <random>
#include <set>

#include <gtest/gtest.h>

#include "compiler/stored_views.h"

#include "compile_support.h"
#include "compiler/internal/memorizza_dati.h"
#include "scenario/line_table.h"

namespace tarvosa {
namespace {

class LineReaderTest : public ::testing::Test {
 protected:
  // Reads `lines` as the line file; the train file holds a stray word.
  Compilation Read(const std::vector<std::string>& lines, std::int32_t j = 1) {
    return ReadBytes(testing::CrLf(lines), j);
  }
  Compilation ReadBytes(const std::string& bytes, std::int32_t j = 1) {
    return testing::ReadTexts(bytes, "train", j != 0);
  }
  // A 10 km line (cells 0 to 340, plan rows 0 to 17000) with `features`.
  Compilation ReadFeatures(const std::vector<std::string>& features, std::int32_t j = 1) {
    std::vector<std::string> lines = {"[generale]", "lunghezza percorso,    10000", "[curve]"};
    lines.insert(lines.end(), features.begin(), features.end());
    lines.push_back("[fine]");
    return Read(lines, j);
  }
};

std::uint8_t GradientAt(const Compilation& s, std::size_t cell) {
  return s.scenario.cells.at(cell).gradient;
}

TEST_F(LineReaderTest, ThisScenariosLineFile) {
  std::vector<std::string> lines(scenario::kLineDefinition.begin(),
                                 scenario::kLineDefinition.end());
  const Compilation s = Read(lines);
  EXPECT_EQ(s.diagnostics.error_code(), 0);
  EXPECT_EQ(LastCell(s.scenario.cells), 4680);
  EXPECT_EQ(s.scenario.plan->last_row, 234000);
  EXPECT_EQ(s.scenario.cells.size(), 4681u);
  EXPECT_EQ(s.scenario.header[kNumbersEntry].end, 227000);
  EXPECT_EQ(s.scenario.header[kRouteEntry].name, "Tarvosa");
  EXPECT_EQ(s.scenario.header[kRouteEntry].start, 1);
  EXPECT_EQ(s.scenario.header[kTrainEntry].name, "Corvale");
  EXPECT_EQ(s.scenario.header[kTrainEntry].start, 2100);
  EXPECT_EQ(s.scenario.header[kTrainEntry].end, 209000);
  EXPECT_EQ(s.scenario.header[kTrainEntry].position, 4);
  EXPECT_EQ(s.scenario.header[80].name, "(Cippo )(  Km  )(11+000)");
  EXPECT_EQ(s.scenario.header[59].name, "(Galleria )(Posillipo)");
  EXPECT_EQ(s.scenario.header[58].name, "");
  EXPECT_EQ(s.scenario.cells.at(1599).kind, kTextBoard);  // "(Culmine)" at 79900, the fifth board
  EXPECT_EQ(TextBoardCell(s.scenario.cells.at(1599)).text_entry, 76);
  EXPECT_EQ(BoardCell(s.scenario.cells.at(23)).third_speeds, 2500);  // the first speed board
  EXPECT_EQ(s.scenario.cells.at(4207).montagna_kind, 3);  // 100 m after the span before it
  EXPECT_EQ(GradientAt(s, 4677), 100);
  EXPECT_EQ(GradientAt(s, 4678), 0);
  EXPECT_EQ(GradientAt(s, 25), 96);  // -4 from 1250

  const LineData& plan = *s.scenario.plan;
  EXPECT_EQ(plan.next_row(), 233999);  // rows 233999 and 234000 stay empty
  EXPECT_EQ(plan.x[1350 - 2], 0.0);
  EXPECT_EQ(plan.y[1350 - 2], 1350.0);
  EXPECT_NEAR(plan.x[1500 - 2], -1.13248, 5e-6);
  EXPECT_NEAR(plan.y[1500 - 2], 1499.99438, 5e-6);
  EXPECT_NEAR(plan.x.back(), 57487.249, 5e-4);
  EXPECT_NEAR(plan.y.back(), 207272.970, 5e-4);
}

TEST_F(LineReaderTest, GradientsHoldFromTheirCellToTheNextRecord) {
  const Compilation s =
      ReadFeatures({"pendenza,  0,   0", "pendenza,  1250,   -4,5", "pendenza,  2000,   3",
                    "pendenza,  2010,   7", "pendenza,  3000,   -1"});
  EXPECT_EQ(s.diagnostics.error_code(), 0);
  EXPECT_EQ(GradientAt(s, 24), 100);
  EXPECT_EQ(GradientAt(s, 25), 96);  // the stray "5" changed nothing
  EXPECT_EQ(GradientAt(s, 39), 96);
  EXPECT_EQ(GradientAt(s, 40), 103);  // 2010 shares cell 40: it still writes one cell
  EXPECT_EQ(GradientAt(s, 41), 107);
  EXPECT_EQ(GradientAt(s, 59), 107);
  EXPECT_EQ(GradientAt(s, 60), 99);
  EXPECT_EQ(GradientAt(s, 337), 99);  // the tail runs to U - 3
  EXPECT_EQ(GradientAt(s, 338), 0);
}

TEST_F(LineReaderTest, AGradientOf75StartsInCell2) {
  const Compilation s = ReadFeatures({"pendenza,  0,   0", "pendenza,  75,   5"});
  EXPECT_EQ(GradientAt(s, 1), 100);
  EXPECT_EQ(GradientAt(s, 2), 105);
}

TEST_F(LineReaderTest, TheGeneralPartStartsAtGeneraleAndTakesSettingsInAnyOrder) {
  const Compilation s =
      Read({"commento", "[generale]", "sfondo tre,    7", "LUNGHEZZA PERCORSO,    10000",
            "Progressiva chilometrica uno,    500,    0,    0",
            "ripetizione segnali 9 codici,    100,    2000", "[curve]"});
  EXPECT_EQ(s.diagnostics.error_code(), 0);
  EXPECT_EQ(LastCell(s.scenario.cells), 340);
  EXPECT_EQ(s.scenario.header[kRouteEntry].end, 7);
  EXPECT_EQ(s.scenario.header[kReferenceUno].start, 0);  // "Progressiva" is not "progressiva"
  EXPECT_EQ(s.scenario.header[kTrainEntry].position, 9);
}

TEST_F(LineReaderTest, SignalRepetitionRules) {
  const auto repetition = [&](const std::string& line) {
    return Read({"[generale]", "lunghezza percorso,    10000", line, "[fine]"});
  };
  EXPECT_EQ(repetition("ripetizione segnali 4 codici,    2100,    0").scenario.header[86].position,
            0);
  EXPECT_EQ(repetition("ripetizione segnali 4 codici,    2125,    4000").diagnostics.error_code(),
            3);
  EXPECT_EQ(repetition("ripetizione segnali 4 codici,    2100,    4010").diagnostics.error_code(),
            4);
  EXPECT_EQ(repetition("ripetizione segnali codici,    2100,    4000").diagnostics.error_code(), 5);
}

TEST_F(LineReaderTest, SectionsMayStandInAnyOrderButGradientsMayNot) {
  const std::vector<std::string> board = {"[indicazioni]",
                                          "cartello_indicatore,  500,   (Culmine)"};
  const std::vector<std::string> curves = {"[curve]", "curvad4,  300,  200", "pendenza,  0,   2",
                                           "pendenza,  900,   -3"};
  std::vector<std::string> first = {"[generale]", "lunghezza percorso,    10000"};
  std::vector<std::string> second = first;
  first.insert(first.end(), board.begin(), board.end());
  first.insert(first.end(), curves.begin(), curves.end());
  second.insert(second.end(), curves.begin(), curves.end());
  second.insert(second.end(), board.begin(), board.end());
  first.push_back("[fine]");
  second.push_back("[fine]");
  const Compilation a = Read(first);
  const Compilation b = Read(second);
  EXPECT_EQ(a.scenario.header[80].name, b.scenario.header[80].name);
  EXPECT_EQ(a.scenario.plan->x, b.scenario.plan->x);
  EXPECT_EQ(a.scenario.cells.at(11).kind, kTextBoard);
  EXPECT_EQ(b.scenario.cells.at(11).kind, kTextBoard);
  EXPECT_EQ(GradientAt(a, 17), GradientAt(b, 17));

  const Compilation swapped = ReadFeatures({"pendenza,  900,   -3", "pendenza,  0,   2"});
  EXPECT_NE(GradientAt(swapped, 17), GradientAt(a, 17));
}

TEST_F(LineReaderTest, TextBoardsRoundToTheirCellAndTakeMarkersButNotFeatures) {
  Compilation s =
      ReadFeatures({"cartello_indicatore,  125,   (Uno)", "cartello_indicatore,  175,   (Due)"});
  EXPECT_EQ(TextBoardCell(s.scenario.cells.at(4)).text_entry, 80);
  EXPECT_EQ(s.diagnostics.error_code(), 6);
  EXPECT_EQ(s.diagnostics.error_position(), 175);

  s = ReadFeatures({"montagna,   0,  1000,  11", "cartello_indicatore,  150,   (Tre)"});
  EXPECT_EQ(s.diagnostics.error_code(), 0);
  EXPECT_EQ(s.scenario.cells.at(4).kind, kTextBoard);  // the marker in the span's fourth cell

  s = ReadFeatures({"indicatori_vmax,  500,  50,  50,  50,  0,  ,  ,  ,  0",
                    "cartello_indicatore,  500,   (Quattro)"});
  EXPECT_EQ(s.diagnostics.error_code(), 6);
}

TEST_F(LineReaderTest, AnErrorStandsAtTheFieldOfTheFault) {
  const Compilation s =
      ReadFeatures({"cartello_indicatore,  125,   (Uno)", "cartello_indicatore,  175,   (Due)"});
  EXPECT_EQ(s.diagnostics.error_code(), 6);
  EXPECT_EQ(s.diagnostics.error().at.file, SourceLocation::File::kLine);
  // "[generale]", the length and "[curve]" (51 bytes with their CR LF), the
  // first board (36), then the second board's progressive after 22 bytes.
  EXPECT_EQ(s.diagnostics.error().at.offset, 51 + 36 + 22);

  const Compilation missing = Read(
      {"[generale]", "lunghezza percorso,    10000", "[curve]", "pendenza,  0,   x", "[fine]"});
  EXPECT_EQ(missing.diagnostics.error_code(), 25);
  EXPECT_EQ(missing.diagnostics.error().at.offset, 51 + 16);  // the "x"
}

TEST_F(LineReaderTest, The82ndTextBoardFindsNoSlot) {
  std::vector<std::string> boards;
  for (int i = 0; i < 82; ++i) {
    boards.push_back("cartello_indicatore,  " + std::to_string(100 + 50 * i) + ",   (B)");
  }
  const Compilation s = ReadFeatures(boards);
  EXPECT_EQ(s.scenario.header[0].name, "(B)");
  EXPECT_EQ(s.diagnostics.error_code(), 14);
  EXPECT_EQ(s.diagnostics.error_position(), 100 + 50 * 81);
}

TEST_F(LineReaderTest, AFeatureBeyondTheTrackEndsTheFeaturesButNotTheTails) {
  const Compilation s = ReadFeatures({"pendenza,  0,   4", "pendenza,  16900,   1",
                                      "pendenza,  16950,   9", "cartello_indicatore,  500,   (X)"});
  EXPECT_EQ(s.diagnostics.error_code(), 15);
  EXPECT_EQ(s.diagnostics.error_position(), 16950);  // (16950 + 100) / 50 = 341 > 340
  EXPECT_EQ(GradientAt(s, 337), 104);
  EXPECT_EQ(GradientAt(s, 338), 101);              // the tail writes the cell at its cursor once
  EXPECT_EQ(s.scenario.cells.at(11).kind, kFree);  // not read
  EXPECT_EQ(s.scenario.plan->next_row(), 16999);
}

TEST_F(LineReaderTest, CurvesBuildThePlanOnlyWhenAsked) {
  const Compilation plain = ReadFeatures({"curvas1,  100,  50"}, 0);
  EXPECT_FALSE(plain.scenario.plan.has_value());
  EXPECT_EQ(ReadFeatures({"curvas7,  100,  50"}, 0).diagnostics.error_code(), 0);
  EXPECT_EQ(ReadFeatures({"curvas7,  100,  50"}).diagnostics.error_code(), 103);
  EXPECT_EQ(ReadFeatures({"curvad1,  16800,  500"}).diagnostics.error_code(),
            103);  // past row 17000

  const Compilation s = ReadFeatures({"curvad4,  100,  10", "curvad4,  105,  10"});
  const LineData& plan = *s.scenario.plan;
  EXPECT_EQ(plan.x[100 - 2], 0.0);
  EXPECT_GT(plan.x[101 - 2], 0.0);  // a "d" curve turns towards increasing X
  EXPECT_EQ(plan.x[115 - 2] - plan.x[114 - 2] > plan.x[111 - 2] - plan.x[110 - 2], true);
}

TEST_F(LineReaderTest, StoreRefusalsStopTheFileAtTheRecordsProgressive) {
  Compilation s =
      ReadFeatures({"indicatori_vmax,  1100,  50,  50,  50,  0,  ,  ,  ,  0",
                    "indicatori_vmax,  1110,  60,  60,  60,  0,  ,  ,  ,  0", "pendenza,  0,   5"});
  EXPECT_EQ(s.diagnostics.error_code(), 21);
  EXPECT_EQ(s.diagnostics.error_position(), 1110);
  EXPECT_EQ(GradientAt(s, 0), 0);  // no tail after a refusal
}

TEST_F(LineReaderTest, MissingOrEmptyGeneralPartAndTooLongALine) {
  EXPECT_EQ(testing::ReadTexts(std::nullopt, "train").diagnostics.error_code(), 101);

  EXPECT_EQ(Read({"lunghezza percorso,    10000", "[fine]"}).diagnostics.error_code(), 102);
  EXPECT_EQ(Read({"[curve]", "[generale]"}).diagnostics.error_code(),
            102);  // the last field is not examined
  EXPECT_EQ(
      Read({"[generale]", "lunghezza percorso,    1000001", "[fine]"}).diagnostics.error_code(), 1);
}

// The last length record accepted sizes the track and the plan; one that
// stops the part leaves the track of the one before it.
TEST_F(LineReaderTest, RepeatedLengthRecords) {
  const auto read = [&](const std::vector<std::string>& general) {
    std::vector<std::string> lines = {"[generale]"};
    lines.insert(lines.end(), general.begin(), general.end());
    lines.push_back("[fine]");
    return Read(lines);
  };
  const Compilation later = read({"lunghezza percorso, 20000", "lunghezza percorso, 10000"});
  EXPECT_EQ(later.scenario.cells.size(), 341u);
  EXPECT_EQ(later.scenario.plan->last_row, 17000);
  EXPECT_EQ(later.scenario.header[kNumbersEntry].end, 10000);

  const Compilation too_long = read({"lunghezza percorso, 10000", "lunghezza percorso, 1000001"});
  EXPECT_EQ(too_long.diagnostics.error_code(), 1);
  EXPECT_EQ(too_long.scenario.cells.size(), 341u);
  EXPECT_EQ(too_long.scenario.plan->last_row, 17000);
  EXPECT_EQ(too_long.scenario.header[kNumbersEntry].end, 1000001);

  const Compilation no_track = read({"lunghezza percorso, 10000", "lunghezza percorso, -7100"});
  EXPECT_EQ(no_track.diagnostics.error_code(), 25);
  EXPECT_EQ(no_track.scenario.cells.size(), 341u);

  const Compilation unread = read({"lunghezza percorso, 10000", "lunghezza percorso, x"});
  EXPECT_EQ(unread.diagnostics.error_code(), 25);
  EXPECT_EQ(unread.scenario.cells.size(), 341u);
  EXPECT_EQ(unread.scenario.plan->last_row, 17000);

  const Compilation bad_setting =
      read({"lunghezza percorso, 10000", "ripetizione segnali 4, 25, 100"});
  EXPECT_NE(bad_setting.diagnostics.error_code(), 0);
  EXPECT_EQ(bad_setting.scenario.cells.size(), 341u);

  EXPECT_TRUE(read({"lunghezza percorso, 1000001"}).scenario.cells.empty());
  EXPECT_FALSE(read({"lunghezza percorso, 1000001"}).scenario.plan);
}

TEST_F(LineReaderTest, RunTimeFailuresRecord25) {
  const std::vector<std::vector<std::string>> files = {
      {"[generale]", "[curve]", "pendenza,  0,   0", "[fine]"},  // no length
      {"[generale]", "lunghezza percorso,    10000", "[pendenze]", "pendenza,  1.5,   0", "[fine]"},
      {"[generale]", "lunghezza percorso,    -7100", "[fine]"},  // negative cells
      {"[generale]", "lunghezza percorso,    -7000", "[fine]"},  // a plan without row 1
      {"[generale]", "a-", "-"},  // the ten-fold skip reads past the end
  };
  for (const auto& file : files) {
    const Compilation s = Read(file);
    EXPECT_EQ(s.diagnostics.error_code(), 25) << file[1];
  }
  EXPECT_EQ(ReadBytes("").diagnostics.error_code(), 25);
  EXPECT_EQ(
      Read({"[generale]", "lunghezza percorso,    -7000", "[fine]"}, 0).diagnostics.error_code(),
      0);
}

// Whatever the file holds, the reader ends with a known code, inside its
// arrays (the sanitizer build watches the memory).
TEST_F(LineReaderTest, MangledFilesEndWithAKnownCode) {
  std::string original;
  for (const std::string_view line : scenario::kLineDefinition) {
    original += std::string(line) + "\r\n";
  }
  const std::set<std::int32_t> known = {0,  1,  3,  4,  5,  6,  14, 15,  16,
                                        17, 18, 19, 20, 21, 23, 25, 102, 103};
  const std::string alphabet = "0123456789-,, \r\n[]acdegilnoprstuvz";
  std::mt19937 random(2026);
  for (int round = 0; round < 400; ++round) {
    std::string bytes = original;
    const int edits = 1 + static_cast<int>(random() % 6);
    for (int e = 0; e < edits && !bytes.empty(); ++e) {
      const std::size_t at = random() % bytes.size();
      switch (random() % 4) {
        case 0:
          bytes[at] = alphabet[random() % alphabet.size()];
          break;
        case 1:
          bytes.erase(at, 1 + random() % 40);
          break;
        case 2:
          bytes.insert(at, bytes.substr(random() % bytes.size(), random() % 80));
          break;
        default:
          bytes.resize(at);
          break;
      }
    }
    const Compilation s = ReadBytes(bytes);
    EXPECT_TRUE(known.count(s.diagnostics.error_code()))
        << "round " << round << ": " << s.diagnostics.error_code();
    if (!s.scenario.cells.empty()) {
      // The track is sized by the last length read (unless it was refused).
      const std::int64_t length = s.scenario.header[kNumbersEntry].end;
      if (s.diagnostics.error_code() != 1 && s.diagnostics.error_code() != 25) {
        EXPECT_EQ(LastCell(s.scenario.cells), RoundHalfEven(length + 7000, 50));
      }
    }
  }
}

}  // namespace
}  // namespace tarvosa

namespace tarvosa {
namespace {

// The straight run before a curve reaches the curve's start whatever the
// curve's length; a curve of no length or less only has no curved run.
TEST(CurveRules, ANegativeLengthStillRunsStraightToTheStart) {
  const Compilation s = testing::ReadTexts(
      "[generale]\r\nlunghezza percorso, 5000\r\n[curve]\r\ncurvas1, 1000, -500\r\n"
      "curvad2, 600, 200\r\n[fine]\r\n",
      "train");
  EXPECT_EQ(s.diagnostics.error_code(), 0);
  const LineData& plan = *s.scenario.plan;
  ASSERT_EQ(plan.next_row(), 11999);
  for (std::size_t i = 0; i < plan.x.size(); ++i) {
    ASSERT_EQ(plan.x[i], 0.0) << "row " << i + 2;  // the second curve starts behind the cursor
    ASSERT_EQ(plan.y[i], static_cast<double>(i + 2));
  }

  const Compilation far = testing::ReadTexts(
      "[generale]\r\nlunghezza percorso, 1000000\r\n[curve]\r\ncurvas1, 1000500, -1000\r\n"
      "[fine]\r\n",
      "train");
  EXPECT_EQ(far.diagnostics.error_code(), 103);  // the straight run passes row 1000000
  EXPECT_EQ(far.scenario.plan->next_row(), 1000001);
}

// A text in keyword position is passed over whatever its length; only a
// text that is stored must fit a name's 16-bit length.
TEST(TextRules, OnlyAStoredTextMustFitANamesLength) {
  const std::string stray(70000, 'a');
  const std::string line = "[generale]\r\nlunghezza percorso, 10000\r\n[curve]\r\n" + stray +
                           "\r\npendenza, 100, 5\r\n[fine]\r\n";
  const Compilation passed = testing::ReadTexts(line, "train");
  EXPECT_EQ(passed.diagnostics.error_code(), 0);
  EXPECT_EQ(passed.scenario.cells.at(2).gradient, 105);  // read on after the stray line

  const std::string board =
      "[generale]\r\nlunghezza percorso, 10000\r\n[curve]\r\n"
      "cartello_indicatore, 500, " +
      stray + "\r\n[fine]\r\n";
  const Compilation refused = testing::ReadTexts(board, "train");
  EXPECT_EQ(DescribeError(refused.diagnostics.error(), {"linea.txt", board}, {}),
            "linea.txt:4:27: error 25: the board text is 70000 characters long; a text holds at "
            "most 65535");
}

// A feature stands at least 100 m before the last cell (cell 340 of a
// 10 km line: 17000 m): at 16900 m it is read, a metre on it is error 15.
TEST_F(LineReaderTest, EveryFeatureMayStandUpTo100MetresBeforeTheLastCell) {
  const std::string kinds[] = {"pendenza,  P,  2", "curvad1,  P,  50", "montagna,  P,  P,  1",
                               "indicatori_vmax,  P,  100,  100,  100,  0,  ,  ,  ,  0",
                               "cartello_indicatore,  P,  (Uno)"};
  for (const std::string& kind : kinds) {
    for (const auto& [at, error] : {std::pair{16900, 0}, {16901, 15}}) {
      std::string record = kind;
      for (std::size_t p; (p = record.find('P')) != std::string::npos;) {
        record.replace(p, 1, std::to_string(at));
      }
      EXPECT_EQ(ReadFeatures({record}).diagnostics.error_code(), error) << record;
    }
  }
}

}  // namespace
}  // namespace tarvosa
