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

}  // namespace
}  // namespace tarvosa
