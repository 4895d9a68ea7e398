// What a data error says, and where: every message names the file, the line
// and the column of the field at fault, and what was found there.
#include <gtest/gtest.h>

#include "error_message_support.h"

namespace tarvosa {
namespace {

using testing::LineWith;
using testing::Message;
using testing::TrainWith;

TEST(ErrorMessages, Error25KeepsTheReasonTheReaderFound) {
  EXPECT_EQ(Message(""), "linea.txt: error 25: the file is empty");
  EXPECT_EQ(Message(LineWith(""), ""), "treno.txt: error 25: the file is empty");
  EXPECT_EQ(Message(LineWith("pendenza,  1250,  -4.5\r\n")),
            "linea.txt:4:19: error 25: a decimal point in a whole number: the gradient is '-4.5'");
  EXPECT_EQ(Message("[generale]\r\n[curve]\r\npendenza,  0,  2\r\n[fine]\r\n"),
            "linea.txt:3:1: error 25: no 'lunghezza percorso' record before the features");
  EXPECT_EQ(
      Message(LineWith(""), TrainWith("velocita,  0,  99999\r\n")),
      "treno.txt:2:16: error 25: 99999 does not fit the speed byte (0 to 255 after dividing by 5)");
  EXPECT_EQ(Message(LineWith("pendenza,  abc,  2\r\n")),
            "linea.txt:4:12: error 25: a number was expected for the gradient's progressive, found "
            "'abc'");
  EXPECT_EQ(Message(LineWith(""), TrainWith("sabbia,  40000\r\n")),
            "treno.txt:2:10: error 25: 40000 does not fit the sand supply (-32768 to 32767)");
  EXPECT_EQ(Message(LineWith("cartello_indicatore,  500,  \"Sessa\"\r\n")),
            "linea.txt:4:29: error 25: a text in double quotes, which is not read: write the board "
            "text without them");
}

TEST(ErrorMessages, AMissingCommaIsToldAtTheKeywordField) {
  EXPECT_EQ(
      Message(LineWith(""), TrainWith("segnale    6200,   2, 4, 0,  0, 0,    0,  0,0,0, 0\r\n"
                                      "segnale,    9200,   2, 4, 0,  0, 0,    0,  0,0,0, 0\r\n")),
      "treno.txt:2:12: error 25: a comma is missing between 'segnale' and '6200'");
  EXPECT_EQ(Message(LineWith(""), TrainWith("segnale  6200  2 4 0 0 0  0 0 0 0  0\r\n")),
            "treno.txt:2:10: error 25: a comma is missing between 'segnale' and '6200'");
  EXPECT_EQ(
      Message("[generale]\r\nlunghezza percorso 10000\r\n[curve]\r\n[fine]\r\n"),
      "linea.txt:2:20: error 25: a comma is missing between 'lunghezza percorso' and '10000'");
}

TEST(ErrorMessages, ARecordCutShortIsToldWhereItsLineEnds) {
  EXPECT_EQ(Message(LineWith("pendenza,  1250\r\npendenza,  2000,  3\r\n")),
            "linea.txt:4:16: error 25: the line ends before the gradient: the next field, "
            "'pendenza', is not a number");
  EXPECT_EQ(Message("[generale]\r\nlunghezza percorso,  10000\r\n[curve]\r\npendenza,  1250"),
            "linea.txt:4:16: error 25: the file ends where the gradient is due");
}

TEST(ErrorMessages, AFeatureOutsideTheTrackSaysWhichEndAndWhatPutItThere) {
  EXPECT_EQ(
      Message(LineWith("pendenza,  16950,  1\r\n")),
      "linea.txt:4:12: error 15 at 16950 m: a feature lies too close to the end of the track "
      "or beyond it: the gradient at 16950 m lies beyond the end of the track: with a line "
      "length of 10000 m the last cell is 340, and the gradient may stand at 16900 m at most");
  EXPECT_EQ(Message(LineWith(""), TrainWith("segnale,  200,  2, 4, 0,  0, 0,    0,  0,0,0, 0\r\n")),
            "treno.txt:2:11: error 15 at 200 m: a feature lies too close to the end of the track "
            "or beyond it: the signal's approach code 300 m before it falls in cell -1, before the "
            "start of the track");
  EXPECT_EQ(Message(LineWith(""), TrainWith("rallentamento,  16000,  30,  1000,  0,  1,  0\r\n")),
            "treno.txt:2:17: error 15 at 16000 m: a feature lies too close to the end of the track "
            "or beyond it: the slow-down's end 1000 m on falls in cell 341, beyond the end of the "
            "track (its last cell is 340)");
  EXPECT_EQ(Message(LineWith("montagna,  -500,  1000,  1\r\n")),
            "linea.txt:4:12: error 15 at -500 m: a feature lies too close to the end of the track "
            "or beyond it: the tunnel span from -500 m to 1000 m reaches cell -10, before the "
            "start of the track");
  EXPECT_EQ(
      Message(LineWith(""),
              TrainWith("stazione,  16500,  2,  400,  0, 1, 0, 0,0,0, 4,1,1, 10, 0, 0, Nome\r\n")),
      "treno.txt:2:12: error 15 at 16500 m: a feature lies too close to the end of the track or "
      "beyond it: the station at 16500 m lies beyond the end of the track: with a line length of "
      "10000 m the last cell is 340, and the station may stand at 16200 m at most");
}

TEST(ErrorMessages, AConflictNamesTheFeatureThatHoldsTheCell) {
  EXPECT_EQ(Message(LineWith("indicatori_vmax,  6200,  50,  50,  50,  0,  ,  ,  ,  0\r\n"),
                    TrainWith("segnale,  6210,  2, 4, 0,  0, 0,    0,  0,0,0, 0\r\n")),
            "treno.txt:2:11: error 16 at 6210 m: a signal's cell already holds another feature: "
            "cell 125 (6200 m), where the signal goes, already holds a speed-indicator board, "
            "placed by linea.txt:4:19");
  EXPECT_EQ(Message(LineWith(""), TrainWith("segnale,  6200,  2, 4, 0,  0, 0,    0,  0,0,0, 0\r\n"
                                            "rallentamento,  7400,  30,  200,  0,  1,  0\r\n")),
            "treno.txt:3:17: error 17 at 7400 m: a slow-down warning board's cell already holds "
            "another feature: cell 125 (6200 m), where the slow-down's warning board 1200 m before "
            "it goes, already holds a signal, placed by treno.txt:2:11");
}

TEST(ErrorMessages, OtherNumbersAddWhatWasFound) {
  EXPECT_EQ(Message("[curve]\r\n[fine]\r\n"),
            "linea.txt: error 102: the line definition file has no [generale] line: none of its 2 "
            "fields holds '[generale]'");
  EXPECT_EQ(Message(LineWith("curva7,  100,  50\r\n")),
            "linea.txt:4:1: error 103: a curve names no class from 1 to 6, or runs past the end of "
            "the plan: the keyword 'curva7' holds no class digit from 1 to 6");
  EXPECT_EQ(Message(LineWith("curvad1,  16800,  500\r\n")),
            "linea.txt:4:11: error 103: a curve names no class from 1 to 6, or runs past the end "
            "of the plan: the curve would run to row 17300 of the plan, past its last row, 17000");
  EXPECT_EQ(
      Message(LineWith(""),
              TrainWith("stazione,  1000,  2,  450,  0, 1, 0, 0,0,0, 4,1,1, 10, 0, 0, Nome\r\n")),
      "treno.txt:2:23: error 9 at 1000 m: a station's length is not a multiple of 100: 450 is not: "
      "the nearest are 400 and 500");
  EXPECT_EQ(Message("[generale]\r\nlunghezza percorso,  10000\r\nprogressiva chilometrica uno,  "
                    "1000,  1025,  0\r\n[fine]\r\n"),
            "linea.txt:3:32: error 2: a kilometre reference's start or end is not a multiple of "
            "50: the reference 'uno' starts at 1000 and ends at 1025");
  // A position of 1 adds 100 to the end: the reference is still found.
  EXPECT_EQ(Message("[generale]\r\nlunghezza percorso,  10000\r\nprogressiva chilometrica due,  "
                    "1000,  1025,  1\r\n[fine]\r\n"),
            "linea.txt:3:32: error 2: a kilometre reference's start or end is not a multiple of "
            "50: the reference 'due' starts at 1000 and ends at 1125");
  // References not in the file are never named.
  EXPECT_EQ(Message("[generale]\r\nlunghezza percorso,  10000\r\nprogressiva chilometrica tre,  "
                    "1,  0,  0\r\n[fine]\r\n"),
            "linea.txt:3:32: error 2: a kilometre reference's start or end is not a multiple of "
            "50: the reference 'tre' starts at 1 and ends at 0");
  EXPECT_EQ(Message("[generale]\r\nlunghezza percorso,  10000\r\nprogressiva chilometrica tre,  "
                    "0,  101,  0\r\n[fine]\r\n"),
            "linea.txt:3:32: error 2: a kilometre reference's start or end is not a multiple of "
            "50: the reference 'tre' starts at 0 and ends at 101");
}

// Gradient records stacked in the last cell they may stand in each fill one
// cell more; the one that would fill past the track is at fault.
TEST(ErrorMessages, GradientsRunningOffTheTrackStandAtTheLastGradient) {
  std::string gradients = "pendenza,  0,  1\r\n";
  for (int i = 0; i < 4; ++i) gradients += "pendenza,  16900,  2\r\n";
  EXPECT_EQ(Message(LineWith(gradients)),
            "linea.txt:8:12: error 15 at 16900 m: a feature lies too close to the end of the track "
            "or beyond it: the gradients run on into cell 341, beyond the end of the track (its "
            "last cell is 340)");
}

}  // namespace
}  // namespace tarvosa
