#include "documents/document.h"

#include <vector>

#include <gtest/gtest.h>

#include "test_support.h"

namespace tarvosa {
namespace {

using testing::ListDirectory;
using testing::ReadFile;
using testing::ScratchDirectory;
using testing::WriteFile;

class DocumentTest : public ::testing::Test {
 protected:
  Status Write(std::vector<std::string_view> lines) {
    return scrivi_documento(DefaultOs(), name_, MakeDocumentTable(lines));
  }
  std::string Written() const { return ReadFile(name_); }

  ScratchDirectory dir_;
  std::string name_ = dir_.text() + "/doc.txt";
};

TEST_F(DocumentTest, EveryLineEndsWithCrLfTheLastToo) {
  ASSERT_TRUE(Write({"uno", "due"}).ok());
  EXPECT_EQ(Written(), "uno\r\ndue\r\n");
}

TEST_F(DocumentTest, EntriesAreWrittenUnchanged) {
  const std::string long_line(288, 'x');
  ASSERT_TRUE(Write({"", "   ", " a  ", "\\\\", long_line}).ok());
  EXPECT_EQ(Written(), "\r\n   \r\n a  \r\n\\\\\r\n" + long_line + "\r\n");
}

TEST_F(DocumentTest, TextIsWrittenInWindows1252) {
  ASSERT_TRUE(Write({"Località", "11.15½"}).ok());
  EXPECT_EQ(Written(), "Localit\xE0\r\n11.15\xBD\r\n");
}

TEST_F(DocumentTest, AnEndMarkerFirstGivesAnEmptyFile) {
  WriteFile(name_, "earlier, longer content\r\n");
  ASSERT_TRUE(Write({}).ok());
  EXPECT_EQ(Written(), "");
}

TEST_F(DocumentTest, NothingAfterTheEndMarkerIsWritten) {
  DocumentTable table{};
  table[0] = "prima";
  table[1] = kEndMarker;
  table[2] = "mai scritta";
  ASSERT_TRUE(scrivi_documento(DefaultOs(), name_, table).ok());
  EXPECT_EQ(Written(), "prima\r\n");
}

TEST_F(DocumentTest, TheMarkerMustMatchWholeAndExactly) {
  DocumentTable table{};
  table[0] = "Riferimento fine del file";
  table[1] = "riferimento fine del file ";
  table[2] = kEndMarker;
  ASSERT_TRUE(scrivi_documento(DefaultOs(), name_, table).ok());
  EXPECT_EQ(Written(), "Riferimento fine del file\r\nriferimento fine del file \r\n");
}

TEST_F(DocumentTest, AThousandLinesFitAndOneMoreDoesNot) {
  const std::vector<std::string_view> thousand(1000, "x");
  ASSERT_TRUE(Write(thousand).ok());
  EXPECT_EQ(Written().size(), 3000u);

  const std::vector<std::string_view> too_many(1001, "x");
  const Status status = Write(too_many);
  EXPECT_EQ(status.kind(), ExitStatus::kDataError);
  EXPECT_EQ(status.message(), name_ + ": the document has no end marker in its 1001 entries");
}

TEST_F(DocumentTest, AnUnwritableCharacterFailsTheDocumentBeforeTheFileIsTouched) {
  WriteFile(name_, "earlier\r\n");
  const Status status = Write({"uno", "città ā"});
  EXPECT_EQ(status.kind(), ExitStatus::kDataError);
  EXPECT_EQ(status.message(), name_ + ":2:7: character U+0101 has no Windows-1252 byte");
  EXPECT_EQ(Written(), "earlier\r\n");
  EXPECT_EQ(ListDirectory(dir_.path()), std::vector<std::string>{"doc.txt"});
}

TEST_F(DocumentTest, ALineBreakInsideAnEntryIsRefused) {
  const Status status = Write({"uno", "due\r\ntre"});
  EXPECT_EQ(status.kind(), ExitStatus::kDataError);
  EXPECT_EQ(status.message(), name_ + ":2:4: a line break inside a line");
  EXPECT_TRUE(ListDirectory(dir_.path()).empty());
}

TEST_F(DocumentTest, WritingTwiceLeavesOneCopy) {
  ASSERT_TRUE(Write({"uno", "due"}).ok());
  ASSERT_TRUE(Write({"uno", "due"}).ok());
  EXPECT_EQ(Written(), "uno\r\ndue\r\n");
}

}  // namespace
}  // namespace tarvosa
