// What the author cannot see in a file, told in words: a tab, a lone CR or
// a no-break space named where it stands; lines counted as the compiler
// reads their ends; the line itself quoted under each message.
#include <gtest/gtest.h>

#include "error_message_support.h"
#include "util/text_position.h"

namespace tarvosa {
namespace {

using testing::LineWith;
using testing::Message;
using testing::TrainWith;

TEST(UnseenCharacters, ATabWhereACommaWasDueIsNamed) {
  // Tabs for commas: the keyword field holds the whole record.
  EXPECT_EQ(Message(LineWith(""), TrainWith("segnale\t6200\t2\t4\t0\t0\t0\t0\t0\t0\t0\t0\r\n"
                                            "segnale,  9200,  2, 4, 0, 0, 0, 0, 0, 0, 0, 0\r\n")),
            "treno.txt:2:9: error 25: a tab where a comma was expected, between 'segnale' and "
            "'6200'");
  EXPECT_EQ(Message(LineWith("pendenza,  1000\t2\r\n")),
            "linea.txt:4:12: error 25: a tab where a comma was expected, in the gradient's "
            "progressive: found '1000<tab>2'");
  // A tab after the comma, where a blank would do.
  EXPECT_EQ(Message(LineWith("pendenza,  1000,\t2\r\n")),
            "linea.txt:4:17: error 25: a tab before the gradient, where only blanks may stand: "
            "found '<tab>2'");
  EXPECT_EQ(Message(LineWith("pendenza,  1000,  2\t\r\n")),
            "linea.txt:4:19: error 25: a tab after the gradient, where only blanks may stand: "
            "found '2<tab>'");
}

TEST(UnseenCharacters, ANoBreakSpaceIsNamedWhereverItStands) {
  EXPECT_EQ(Message(LineWith(""), TrainWith("segnale\xA0"
                                            "6200,  2, 4, 0, 0, 0, 0, 0, 0, 0, 0\r\n"
                                            "segnale,  9200,  2, 4, 0, 0, 0, 0, 0, 0, 0, 0\r\n")),
            "treno.txt:2:9: error 25: a no-break space where a comma was expected, between "
            "'segnale' and '6200'");
  EXPECT_EQ(Message(LineWith("pendenza,\xA0"
                             "1000,  2\r\n")),
            "linea.txt:4:10: error 25: a no-break space before the gradient's progressive, where "
            "only blanks may stand: found '<no-break space>1000'");
}

TEST(UnseenCharacters, ALoneCrThatEndsALineIsNamed) {
  // To the compiler the CR ends the line: the gradient's value is due on
  // the next one.
  EXPECT_EQ(Message(LineWith("pendenza,  1000\rpendenza,  2000,  1\r\n")),
            "linea.txt:4:16: error 25: a CR with no LF after it ends the line before the "
            "gradient: the next field, 'pendenza', is not a number");
  // A CR before an LF ends the line as usual.
  EXPECT_EQ(Message(LineWith("pendenza,  1000\r\r\npendenza,  2000,  1\r\n")),
            "linea.txt:4:16: error 25: the line ends before the gradient: the next field, "
            "'pendenza', is not a number");
}

TEST(UnseenCharacters, LinesEndedByCrCrLfAreCountedOnceEach) {
  std::string line = LineWith("pendenza,  1000,  2\r\npendenza,  1250,  x\r\n");
  std::string doubled;
  for (const char c : line) doubled += c == '\n' ? std::string("\r\n") : std::string(1, c);
  ASSERT_NE(doubled.find("\r\r\n"), std::string::npos);
  // Line 5, as an editor that shows a CR before the line end as ^M counts.
  EXPECT_EQ(Message(doubled), Message(line));
  EXPECT_EQ(Message(doubled).substr(0, 15), "linea.txt:5:19:");
  // Lone CRs are line ends of their own, two in a row a blank line.
  EXPECT_EQ(PositionOf("a\r\rb", 3).line, 3u);
  EXPECT_EQ(PositionOf("a\r\r\r\nb", 5).line, 2u);
}

}  // namespace
}  // namespace tarvosa
