// Every error of the two files in one pass: the pass that reads on past a
// record in error finds each error at its place, marks only the ones that
// may come of an earlier error, and leaves the compile itself as it was.
#include <gtest/gtest.h>

#include "compile_support.h"
#include "compiler/compiled_files.h"
#include "util/text_position.h"

namespace tarvosa {
namespace {

constexpr auto kLine = SourceLocation::File::kLine;
constexpr auto kTrain = SourceLocation::File::kTrain;

// A 10 km line: its last cell is 340, and a feature may stand up to 16900 m.
std::string LineWith(const std::string& features) {
  return "[generale]\r\nlunghezza percorso,  10000\r\n[curve]\r\n" + features + "[fine]\r\n";
}
std::string TrainWith(const std::string& records) {
  return "[generale]\r\n" + records + "[fine]\r\n";
}

Diagnostics DiagnoseTexts(const std::string& line, const std::string& train) {
  return Diagnose(testing::Input(line, train, true));
}

// The line and column of an error's place, and its number.
struct Found {
  SourceLocation::File file;
  std::size_t line;
  std::size_t column;
  std::int32_t code;
  friend bool operator==(const Found&, const Found&) = default;
};
std::ostream& operator<<(std::ostream& out, const Found& f) {
  return out << (f.file == kLine ? "line " : "train ") << f.line << ":" << f.column << " error "
             << f.code;
}

std::vector<Found> Places(const Diagnostics& d, const std::string& line, const std::string& train) {
  std::vector<Found> found;
  for (const Diagnostic& e : d.errors()) {
    const TextPosition p =
        PositionOf(e.at.file == kLine ? line : train, static_cast<std::size_t>(e.at.offset));
    found.push_back({e.at.file, p.line, p.column, NumberOf(e.error)});
  }
  return found;
}

// Three independent errors in each file: a field no number (line 5), a
// curve with no class (line 7), a gradient beyond the track (line 9); a
// station off its cell (line 3), a signal's field no number (line 5), a
// signal beyond the track (line 7). Good records stand between them.
const std::string kLineText = LineWith(
    "pendenza,  1000,  2\r\n"
    "pendenza,  1250,  x\r\n"
    "pendenza,  1500,  3\r\n"
    "curvas7,  3000,  100\r\n"
    "pendenza,  2000,  1\r\n"
    "pendenza,  20000,  4\r\n"
    "pendenza,  2500,  0\r\n");
const std::string kTrainText = TrainWith(
    "velocita,  0,  100\r\n"
    "stazione,  3025,  2,  400,  0, 1, 0,  0,0,0,  4,1,1,  10,  9,42,50, Sessa\r\n"
    "segnale,  6200,  2, 4, 0,  0, 0,  0,  0,0,0, 0\r\n"
    "segnale,  7200,  y, 4, 0,  0, 0,  0,  0,0,0, 0\r\n"
    "segnale,  8200,  2, 4, 0,  0, 0,  0,  0,0,0, 0\r\n"
    "segnale,  30000,  2, 4, 0,  0, 0,  0,  0,0,0, 0\r\n"
    "segnale,  9200,  2, 4, 0,  0, 0,  0,  0,0,0, 0\r\n");

TEST(EveryError, ThreeIndependentErrorsInEachFileAreEachFoundAtTheirPlace) {
  const Diagnostics d = DiagnoseTexts(kLineText, kTrainText);
  EXPECT_EQ(Places(d, kLineText, kTrainText), (std::vector<Found>{{kLine, 5, 19, 25},
                                                                  {kLine, 7, 1, 103},
                                                                  {kLine, 9, 12, 15},
                                                                  {kTrain, 3, 12, 8},
                                                                  {kTrain, 5, 18, 25},
                                                                  {kTrain, 7, 11, 15}}));
  EXPECT_EQ(d.error_count(), 6u);
  for (const Diagnostic& e : d.errors()) {
    EXPECT_EQ(e.follows.file, SourceLocation::File::kNone) << e.detail;
  }
  // The records after each error were read: the last signal stands.
  const Compilation read_on = Compile([] {
    CompileInput input = testing::Input(kLineText, kTrainText, true);
    input.read_on = true;
    return input;
  }());
  EXPECT_EQ(read_on.scenario.cells[185].kind, kSignal);  // 9200 m
}

TEST(EveryError, TheCompileItselfStillStopsAtItsFirstErrorAndWritesTheSame) {
  const Compilation compiled = testing::CompileTexts(kLineText, kTrainText);
  // The line file stops at its 25, and the train file is never read.
  EXPECT_EQ(compiled.diagnostics.error_code(), 25);
  EXPECT_EQ(compiled.diagnostics.error_count(), 1u);
  EXPECT_EQ(compiled.scenario.header[1].position, 0);  // no station read
  // Taking the messages of the pass that reads on changes nothing written.
  Compilation taken = testing::CompileTexts(kLineText, kTrainText);
  taken.diagnostics.TakeMessagesOf(DiagnoseTexts(kLineText, kTrainText));
  EXPECT_EQ(EncodeTrackCells(taken.scenario.cells), EncodeTrackCells(compiled.scenario.cells));
  EXPECT_EQ(EncodeScenarioHeader(taken.scenario.header),
            EncodeScenarioHeader(compiled.scenario.header));
  EXPECT_EQ(taken.diagnostics.error_code(), 25);
  EXPECT_EQ(taken.diagnostics.error_count(), 6u);
}

TEST(EveryError, OnlyAnErrorCheckedAgainstARecordInErrorIsMarked) {
  // The second station is refused for its length; the third is checked
  // against the first, 350 m short, and may follow from it.
  const std::string train = TrainWith(
      "stazione,  3000,  30,  400,  0, 1, 0,  0,0,0,  4,1,1,  10,  9,42,50, Uno\r\n"
      "stazione,  5000,  30,  450,  0, 1, 0,  0,0,0,  4,1,1,  10,  9,50,50, Due\r\n"
      "stazione,  3500,  30,  400,  0, 1, 0,  0,0,0,  4,1,1,  10,  9,55,50, Tre\r\n"
      "stazione,  3600,  30,  400,  0, 1, 0,  0,0,0,  4,1,1,  10,  9,58,50, Quattro\r\n");
  const std::string line = LineWith("");
  const Diagnostics d = DiagnoseTexts(line, train);
  ASSERT_EQ(Places(d, line, train),
            (std::vector<Found>{{kTrain, 3, 24, 9}, {kTrain, 4, 12, 22}, {kTrain, 5, 12, 22}}));
  EXPECT_EQ(d.errors()[1].follows, d.errors()[0].at);
  // The fourth is checked against the first too, but the record before it
  // (the third) is in error for its own place: it may follow from that.
  EXPECT_EQ(d.errors()[2].follows, d.errors()[1].at);
}

TEST(EveryError, ACellTakenByARecordInErrorIsMarked) {
  // The slow-down's markers fall on the board, so it is refused after
  // placing its warning board; a signal on that board's cell may follow.
  const std::string line = LineWith("indicatori_vmax,  3650,  60,0,0,0, 60,0,0,0\r\n");
  const std::string train = TrainWith(
      "rallentamento,  5000,  30,  200,  0,  1,  0\r\n"
      "segnale,  3800,  2, 4, 0,  0, 0,  0,  0,0,0, 0\r\n");
  const Diagnostics d = DiagnoseTexts(line, train);
  ASSERT_GE(d.errors().size(), 2u);
  EXPECT_EQ(NumberOf(d.errors()[0].error), 20);
  EXPECT_EQ(NumberOf(d.errors()[1].error), 16);
  EXPECT_EQ(d.errors()[1].follows, d.errors()[0].at);
}

TEST(EveryError, ALineThatLeavesNoTrackEndsThePass) {
  const std::string line =
      "[generale]\r\nlunghezza percorso,  2000000\r\n[curve]\r\n"
      "pendenza,  x,  1\r\n[fine]\r\n";
  const Diagnostics d = DiagnoseTexts(line, TrainWith("sabbia,  99999\r\n"));
  ASSERT_EQ(d.error_count(), 1u);
  EXPECT_EQ(d.errors()[0].error, DataError::kLineTooLong);
}

TEST(EveryError, ARecordCutShortIsReadOnFromTheLineItTookItsLastFieldFrom) {
  // The first gradient takes the second line's keyword for its value; the
  // second line is read again as a record, and its own fault is found.
  const std::string line = LineWith("pendenza,  1000\r\npendenza,  x,  2\r\n");
  const Diagnostics d = DiagnoseTexts(line, TrainWith(""));
  EXPECT_EQ(Places(d, line, TrainWith("")),
            (std::vector<Found>{{kLine, 4, 16, 25}, {kLine, 5, 12, 25}}));
}

}  // namespace
}  // namespace tarvosa
