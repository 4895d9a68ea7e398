// What compiles but is almost always a mistake: each warning with its place
// and its words.
#include <gtest/gtest.h>

#include <algorithm>

#include "compile_support.h"

namespace tarvosa {
namespace {

// A 10 km line whose features start on line 4.
std::string LineWith(const std::string& features) {
  return "[generale]\r\nlunghezza percorso,  10000\r\n[curve]\r\n" + features + "[fine]\r\n";
}
// A train file with its coaches and clock, whose records start on line 4.
std::string TrainWith(const std::string& records) {
  return "[generale]\r\nnumero vetture,  6\r\norologio,  8  0  0\r\n" + records + "[fine]\r\n";
}

// Every warning of the compile, as "FILE:LINE:COLUMN: words".
std::vector<std::string> Warnings(const std::string& line,
                                  const std::string& train = TrainWith("")) {
  const Compilation compiled = testing::CompileTexts(line, train);
  std::vector<std::string> warnings;
  for (const Warning& w : compiled.diagnostics.warnings()) {
    warnings.push_back(Where(w.at, {"linea.txt", line}, {"treno.txt", train}) + ": " + w.text);
  }
  return warnings;
}

using Lines = std::vector<std::string>;

TEST(Warnings, ACleanScenarioHasNone) {
  EXPECT_EQ(Warnings(LineWith("pendenza,  0,  3\r\n")), Lines{});
}

TEST(Warnings, AValueKeptInFewerBitsSaysWhatIsStored) {
  EXPECT_EQ(Warnings(LineWith("pendenza,  1000,  200\r\n")),
            Lines{"linea.txt:4:19: a gradient of 200 is stored as -56: a cell keeps the gradient "
                  "plus 100 in one byte, which holds -100 to 155"});
  EXPECT_EQ(Warnings(LineWith(""), TrainWith("aderenza,  0,  300\r\n")),
            Lines{"treno.txt:4:16: an adhesion of 300 is stored as 44: a cell keeps the adhesion "
                  "in one byte, 0 to 255"});
  EXPECT_EQ(Warnings(LineWith("indicatori_vmax,  1000,  2000,  100,  100,  0,  12,  ,  ,  0\r\n")),
            (Lines{"linea.txt:4:26: the board's first speeds, 2000 and 12, are stored as -1277 "
                   "and 30: a board keeps each pair as left × 20 + right ÷ 5 in 16 bits"}));
  EXPECT_EQ(Warnings(LineWith(""), TrainWith("velocita,  0,  92\r\n")),
            Lines{"treno.txt:4:16: a line speed of 92 is stored as 90: speeds are kept in steps "
                  "of 5 km/h"});
  EXPECT_EQ(
      Warnings(LineWith(""), TrainWith("segnale,  6200,  2, 4, 0,  0, 0,  0,  0,0,0, 50\r\n")),
      Lines{"treno.txt:4:46: a signal time of 50 is stored as 101: times from 1 to 100 "
            "become 101, and a time is kept in one byte"});
  EXPECT_EQ(
      Warnings(LineWith(""), TrainWith("segnale,  6200,  1, 4, 0,  0, 0,  0,  0,0,0, 50\r\n")),
      Lines{"treno.txt:4:46: a signal time of 50 is not kept: only a signal whose field 2 is 2 "
            "keeps its time"});
  EXPECT_EQ(Warnings(LineWith("montagna,  1000,  2000,  300\r\n")),
            Lines{"linea.txt:4:26: a span type (less the 10 that asks for markers) of 290 is "
                  "stored as 34: a cell keeps the type in one byte, 0 to 255"});
}

TEST(Warnings, AMissingOrMisspeltGeneraleHeaderSaysNothingIsRead) {
  EXPECT_EQ(Warnings(LineWith(""), "numero vetture,  6\r\norologio,  8  0  0\r\n[fine]\r\n"),
            Lines{"treno.txt: the train data file has no '[generale]' line, so none of its "
                  "records is read"});
  EXPECT_EQ(Warnings(LineWith(""), "[generle]\r\nnumero vetture,  6\r\n[fine]\r\n"),
            Lines{"treno.txt:1:1: the train data file has no '[generale]' line, so none of its "
                  "records is read: is this one meant to be it?"});
  const std::string line = "[generle]\r\nlunghezza percorso,  10000\r\n[fine]\r\n";
  const Compilation compiled = testing::CompileTexts(line, TrainWith(""));
  EXPECT_EQ(DescribeError(compiled.diagnostics.error(), {"linea.txt", line}, {}),
            "linea.txt:1:1: error 102: the line definition file has no [generale] line: none of "
            "its 4 fields holds '[generale]'; is this one meant to?");
}

TEST(Warnings, ANearMissOfAKeywordSaysWhichOneWasMeant) {
  EXPECT_EQ(Warnings(LineWith(""), TrainWith("stazoine,  1000,  2,  400\r\n")),
            Lines{"treno.txt:4:1: 'stazoine' matches no keyword and is passed over: did you mean "
                  "'stazione'?"});
  EXPECT_EQ(Warnings(LineWith(""),
                     "[generale]\r\nnumero vettura,  6\r\norologio,  8 0 0\r\n"
                     "[fine]\r\n"),
            (Lines{"treno.txt:2:1: 'numero vettura' matches no keyword and is passed over: did "
                   "you mean 'numero vetture'?",
                   "treno.txt: the train data file has no 'numero vetture' record: the train has "
                   "0 coaches"}));
  EXPECT_EQ(Warnings(LineWith("curvaz4,  100,  50\r\ncurva4,  300,  50\r\n")),
            (Lines{"linea.txt:4:1: 'curvaz4' is read as a right-hand curve of class 4 (it holds "
                   "no 's'): did you mean 'curvad4' or 'curvas4'?",
                   "linea.txt:5:1: 'curva4' is read as a right-hand curve of class 4 (it holds no "
                   "'s'): did you mean 'curvad4' or 'curvas4'?"}));
  EXPECT_EQ(Warnings(LineWith("ciao\r\nstazione,  1000\r\n")),
            (Lines{"linea.txt:4:1: 'ciao' matches no keyword and is passed over",
                   "linea.txt:5:1: 'stazione' is a keyword of the train data file and is passed "
                   "over here"}));
}

// A near miss is one edit more than a quarter of the field's letters (a
// quarter counting as at least one): one edit more gets no suggestion.
TEST(Warnings, ANearMissIsAtMostOneEditMoreThanAQuarterOfTheLetters) {
  const auto suggests = [](const std::string& field) {
    const Lines warnings = Warnings(LineWith(""), TrainWith(field + ",  1\r\n"));
    return !warnings.empty() && warnings[0].find("did you mean") != std::string::npos;
  };
  EXPECT_TRUE(suggests("rallxntaxexxo"));   // 13 letters, 4 edits
  EXPECT_FALSE(suggests("rxllxntaxexxo"));  // 5 edits
  EXPECT_TRUE(suggests("vxlxxita"));        // 8 letters, 3 edits
  EXPECT_FALSE(suggests("vxlxxitx"));       // 4 edits
  EXPECT_TRUE(suggests("segnxlx"));         // 7 letters, 2 edits
  EXPECT_FALSE(suggests("sxgnxlx"));        // 3 edits
}

TEST(Warnings, TextPassedOverIsToldAndAStationsNameContinuedIsRecognised) {
  EXPECT_EQ(Warnings(LineWith("pendenza,  1250,  -4,5\r\n")),
            Lines{"linea.txt:4:22: '5' is one value more than the record before it takes, and is "
                  "passed over (a decimal comma? numbers are whole)"});
  EXPECT_EQ(Warnings("[generale]\r\nlunghezza percorso,  10000,  5\r\n[fine]\r\n"),
            Lines{"linea.txt:2:30: '5' is one value more than the record before it takes, and is "
                  "passed over (a decimal comma? numbers are whole)"});
  EXPECT_EQ(Warnings(LineWith("-- una nota --\r\npendenza,  0,  1\r\n")),
            Lines{"linea.txt:4:1: '-- una nota --' is passed over unread because it holds '-'"});
  const std::string station =
      "stazione,  1000,  2,  400,  0, 0, 0, 0,0,0, 4,1,1, 0, 8, 0, 0, Sessa\r\n"
      "Aurunca-Roccamonfina\r\n";
  EXPECT_EQ(Warnings(LineWith(""), TrainWith(station)),
            Lines{"treno.txt:5:1: 'Aurunca-Roccamonfina' is passed over unread because it holds "
                  "'-': it reads like the rest of the name of the station 'Sessa' on the line "
                  "before, but a name ends at its comma or line end"});
}

TEST(Warnings, LengthsAndSpansOfNothingOrBackwards) {
  EXPECT_EQ(Warnings(LineWith("montagna,  2000,  1500,  1\r\n")),
            Lines{"linea.txt:4:12: the tunnel span ends at 1500 m, not after its start at 2000 "
                  "m: it covers no cell"});
  EXPECT_EQ(Warnings(LineWith("curvad1,  1000,  -50\r\n")),
            Lines{"linea.txt:4:11: a curve of length -50 m bends nothing: only the straight run "
                  "before it is drawn"});
  EXPECT_EQ(Warnings(LineWith(""), TrainWith("stazione,  1000,  28,  0,  0, 0, 0, 0,0,0, 4,1,1, "
                                             "0, 8, 0, 0, Nome\r\n")),
            Lines{"treno.txt:4:24: a station of length 0 m has no stretch to stop in"});
  EXPECT_EQ(Warnings(LineWith(""), TrainWith("rallentamento,  5000,  30,  0,  0,  1,  0\r\n")),
            (Lines{"treno.txt:4:17: a slow-down of length 0 m slows nothing",
                   "treno.txt:4:17: the slow-down start takes cell 101, which held a slow-down "
                   "end: the slow-down end is lost"}));
  EXPECT_EQ(Warnings("[generale]\r\nlunghezza percorso,  0\r\n[fine]\r\n"),
            Lines{"linea.txt:2:22: the line length is 0 m: a line needs a length above 0"});
}

TEST(Warnings, RecordsPastTheEndOfTheLineAndMissingSettings) {
  EXPECT_EQ(Warnings(LineWith("curvad1,  9900,  400\r\n")),
            Lines{"linea.txt:4:11: the curve from 9900 m to 10300 m runs past the end of the "
                  "line at 10000 m"});
  EXPECT_EQ(
      Warnings(LineWith(""), TrainWith("segnale,  12000,  2, 4, 0,  0, 0,  0,  0,0,0, 0\r\n")),
      Lines{"treno.txt:4:11: the signal at 12000 m lies beyond the end of the line at "
            "10000 m"});
  EXPECT_EQ(Warnings(LineWith(""), "[generale]\r\n[fine]\r\n"),
            (Lines{"treno.txt: the train data file has no 'orologio' record: the run starts at "
                   "00:00:00",
                   "treno.txt: the train data file has no 'numero vetture' record: the train has "
                   "0 coaches"}));
}

TEST(Warnings, FilesGivenTheWrongWayRound) {
  const std::string train = TrainWith(
      "velocita,  0,  30\r\nsegnale,  6200,  2, 4, 0,  0, 0,  0,  "
      "0,0,0, 0\r\n");
  const std::vector<std::string> warnings = Warnings(train, LineWith(""));
  ASSERT_FALSE(warnings.empty());
  EXPECT_EQ(warnings.back(),
            "linea.txt: this looks like a train data file (4 of its keywords are): were the line "
            "and train files given the wrong way round?");
}

// Two of the other file's keywords and none of its own make a file look
// given the wrong way round; one, or a record of its own, does not.
TEST(Warnings, TheWrongWayRoundNeedsTwoForeignKeywordsAndNoOwnRecord) {
  const auto wrong_way = [](const std::string& records) {
    const Lines warnings = Warnings(LineWith(""), "[generale]\r\n" + records + "[fine]\r\n");
    return std::any_of(warnings.begin(), warnings.end(), [](const std::string& w) {
      return w.find("wrong way round") != std::string::npos;
    });
  };
  EXPECT_TRUE(wrong_way("pendenza,  0,  3\r\nmontagna,  1000,  2000,  1\r\n"));
  EXPECT_FALSE(wrong_way("pendenza,  0,  3\r\n"));
  EXPECT_FALSE(wrong_way("pendenza,  0,  3\r\nmontagna,  1000,  2000,  1\r\nsabbia,  5\r\n"));
}

// Only the five bytes that hold no character, and the control characters,
// are told; every other byte from 80h up is a character.
TEST(Warnings, EveryByteWithoutACharacterIsToldAndNoOther) {
  for (int byte = 0x01; byte <= 0xFF; ++byte) {
    if (byte == ',' || byte == '\r' || byte == '\n' || (byte >= 0xC2 && byte <= 0xF4)) continue;
    const std::string text = "(Culmine" + std::string(1, static_cast<char>(byte)) + ")";
    const Lines warnings = Warnings(LineWith("cartello_indicatore,  500,  " + text + "\r\n"));
    const bool undefined =
        byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
    const bool control = byte < 0x20;
    EXPECT_EQ(warnings.size(), undefined || control ? 1u : 0u) << std::hex << byte;
  }
}

TEST(Warnings, TextsThatWillNotShowAsMeant) {
  EXPECT_EQ(Warnings(LineWith("cartello_indicatore,  500,  (Culmin\xC3\xA8)\r\n")),
            Lines{"linea.txt:4:29: the text '(CulminÃ¨)' looks like UTF-8: the simulator reads "
                  "Windows-1252 and shows it garbled; convert the file with iconv -f UTF-8 -t "
                  "WINDOWS-1252"});
}

// `count` length records of 0 m, a warning each, before the line's own,
// and `notes` lines that read like comments, each before a section header.
std::string ZeroLengthsAndNotes(int count, int notes) {
  std::string line = "[generale]\r\n";
  for (int i = 0; i < count; ++i) line += "lunghezza percorso, 0\r\n";
  line += "lunghezza percorso,  10000\r\n[curve]\r\n";
  for (int i = 0; i < notes; ++i) line += "-- una nota --\r\n[curve]\r\n";
  return line + "[fine]\r\n";
}

TEST(Warnings, TheFirstThousandAreKeptWholeAndEveryOneCounted) {
  const std::string line = ZeroLengthsAndNotes(5000, 0);
  const Compilation many = testing::CompileTexts(line, TrainWith(""));
  EXPECT_EQ(many.diagnostics.warning_count(), 5000u);
  EXPECT_EQ(many.diagnostics.mistake_count(), 5000u);
  ASSERT_EQ(many.diagnostics.warnings().size(), 1000u);
  for (const std::size_t i : {std::size_t{0}, std::size_t{999}}) {
    const Warning& w = many.diagnostics.warnings()[i];
    EXPECT_EQ(Where(w.at, {"linea.txt", line}, {"treno.txt", ""}) + ": " + w.text,
              "linea.txt:" + std::to_string(i + 2) +
                  ":21: the line length is 0 m: a line needs a length above 0");
  }
  // What is compiled does not hang on how many warnings are kept.
  const Compilation one = testing::CompileTexts(ZeroLengthsAndNotes(1, 0), TrainWith(""));
  EXPECT_EQ(many.scenario.cells, one.scenario.cells);
  EXPECT_EQ(many.scenario.header, one.scenario.header);
}

// Lines read as comments count as warnings but not as mistakes, kept or
// not.
TEST(Warnings, CommentsPastTheKeptOnesAreCountedApart) {
  const Compilation c = testing::CompileTexts(ZeroLengthsAndNotes(1200, 30), TrainWith(""));
  EXPECT_EQ(c.diagnostics.warnings().size(), 1000u);
  EXPECT_EQ(c.diagnostics.warning_count(), 1230u);
  EXPECT_EQ(c.diagnostics.mistake_count(), 1200u);
}

}  // namespace
}  // namespace tarvosa
