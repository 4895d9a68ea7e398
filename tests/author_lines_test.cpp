#include "documents/author_lines.h"

#include <gtest/gtest.h>

#include "documents/document.h"
#include "test_support.h"

namespace tarvosa {
namespace {

DocumentLines Lines(std::string_view bytes) {
  DocumentLines lines;
  const Status read = ReadAuthorLines("note.txt", bytes, lines);
  EXPECT_TRUE(read.ok()) << read.message();
  return lines;
}

// What scrivi_documento writes of the lines an author's bytes give.
std::string WrittenAgain(std::string_view bytes) {
  const DocumentLines lines = Lines(bytes);
  const std::vector<std::string_view> views(lines.begin(), lines.end());
  testing::ScratchDirectory dir;
  const std::string name = dir.text() + "/doc.txt";
  EXPECT_TRUE(scrivi_documento(DefaultOs(), name, MakeDocumentTable(views)).ok());
  return testing::ReadFile(name);
}

TEST(AuthorLines, CrLfLinesComeBackByteForByte) {
  const std::string bytes = "    Il percorso\xE8 lungo 8 km.\r\n\r\n   \r\nfine  \r\n";
  EXPECT_EQ(Lines(bytes), (DocumentLines{"    Il percorsoè lungo 8 km.", "", "   ", "fine  "}));
  EXPECT_EQ(WrittenAgain(bytes), bytes);
}

TEST(AuthorLines, LoneLineFeedsAndCarriageReturnsBecomeCrLf) {
  EXPECT_EQ(WrittenAgain("uno\ndue\n\ntre\n"), "uno\r\ndue\r\n\r\ntre\r\n");
  EXPECT_EQ(WrittenAgain("uno\rdue\r"), "uno\r\ndue\r\n");
  EXPECT_EQ(WrittenAgain("uno\r\ndue\ntre\r"), "uno\r\ndue\r\ntre\r\n");
  // LF CR is two line ends, as the compiler reads it.
  EXPECT_EQ(WrittenAgain("uno\n\rdue\r\n"), "uno\r\n\r\ndue\r\n");
}

TEST(AuthorLines, ALastLineWithoutALineEndGetsOne) {
  EXPECT_EQ(Lines("uno\r\ndue"), (DocumentLines{"uno", "due"}));
  EXPECT_EQ(WrittenAgain("uno\r\ndue"), "uno\r\ndue\r\n");
  EXPECT_EQ(WrittenAgain("  "), "  \r\n");
}

TEST(AuthorLines, AnEmptyFileHasNoLines) {
  EXPECT_TRUE(Lines("").empty());
  EXPECT_EQ(WrittenAgain(""), "");
  EXPECT_EQ(Lines("\r\n"), DocumentLines{""});
}

TEST(AuthorLines, AByteWithoutACharacterIsADataErrorAtItsLineAndColumn) {
  DocumentLines lines;
  const Status read = ReadAuthorLines("Lago_Espresso_note.txt", "uno\r\ndue \x81\r\n", lines);
  EXPECT_EQ(read.kind(), ExitStatus::kDataError);
  EXPECT_EQ(read.message(), "Lago_Espresso_note.txt:2:5: byte 81 holds no Windows-1252 character");
}

// "à" is C3 A0 in UTF-8 and E0 in Windows-1252, "€" E2 82 AC and 80, "°"
// C2 B0 and B0.
TEST(AuthorLines, AUtf8FileIsWrittenInWindows1252) {
  const std::string utf8 =
      "    La citt\xC3\xA0 \xE2\x82\xAC 5\r\n15\xC2\xB0"
      "C\n";
  EXPECT_EQ(Lines(utf8), (DocumentLines{"    La città € 5", "15°C"}));
  EXPECT_EQ(WrittenAgain(utf8),
            "    La citt\xE0 \x80 5\r\n15\xB0"
            "C\r\n");
  // A byte-order mark is no character of the text.
  EXPECT_EQ(WrittenAgain("\xEF\xBB\xBF" + utf8), WrittenAgain(utf8));
}

TEST(AuthorLines, BytesThatAreNotAllUtf8AreWindows1252) {
  // C3 A0 would read as UTF-8 "à", but the E8 after it cannot.
  EXPECT_EQ(Lines("citt\xC3\xA0 \xE8"), DocumentLines{"cittÃ\u00A0 è"});
  EXPECT_EQ(WrittenAgain("citt\xC3\xA0 \xE8"), "citt\xC3\xA0 \xE8\r\n");
}

TEST(AuthorLines, AUtf8CharacterWithoutAWindows1252ByteIsADataErrorAtItsLine) {
  DocumentLines lines;
  // U+2192, the arrow E2 86 92, has no Windows-1252 byte.
  const Status read =
      ReadAuthorLines("Lago_Espresso_note.txt", "citt\xC3\xA0\r\nda A \xE2\x86\x92 B\r\n", lines);
  EXPECT_EQ(read.kind(), ExitStatus::kDataError);
  EXPECT_EQ(read.message(),
            "Lago_Espresso_note.txt:2:6: character U+2192 has no Windows-1252 byte (the file is "
            "read as UTF-8)");
}

}  // namespace
}  // namespace tarvosa
