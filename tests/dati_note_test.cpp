// The author's notes as written: paragraphs, hand-wrapped widths, blanks.
#include "documents/dati_note.h"

#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include "test_support.h"

namespace tarvosa {
namespace {

std::size_t TrailingBlanks(const std::string& line) {
  return line.size() - line.find_last_not_of(' ') - 1;
}

TEST(Notes, EightyLinesIn8424BytesOfWindows1252) {
  const auto notes = testing::WriteDocument(dati_note, "Tarvosa_Corvale_note.txt");
  EXPECT_EQ(notes.lines.size(), 80u);
  EXPECT_EQ(notes.bytes.size(), 8424u);
  for (const char byte : {'\xE0', '\xE8', '\xEC', '\xF2', '\xF9', '\xB0'}) {  // à è ì ò ù °
    EXPECT_NE(notes.bytes.find(byte), std::string::npos) << static_cast<int>(byte & 0xFF);
  }
  std::size_t longest = 0;
  for (const std::string& line : notes.lines) longest = std::max(longest, line.size());
  EXPECT_EQ(longest, 288u);  // written whole, on one line
}

TEST(Notes, ElevenParagraphsWrappedByHandAndASignature) {
  const auto notes = testing::WriteDocument(dati_note, "Tarvosa_Corvale_note.txt");
  const std::set<std::size_t> starts = {0, 7, 21, 24, 36, 46, 55, 62, 69, 72, 75, 77};
  const std::set<std::size_t> joined = {19, 22, 27, 34, 35, 69, 70, 71, 73};
  const std::set<std::size_t> one_blank = {21, 22, 23, 24, 43, 45, 48, 54, 67};
  for (std::size_t i = 0; i < notes.lines.size(); ++i) {
    const std::string& line = notes.lines[i];
    ASSERT_FALSE(line.empty()) << "entry " << i;
    const bool indented = i >= 77 || starts.count(i);
    EXPECT_EQ(line.find_first_not_of(' '), indented ? 4u : 0u) << "entry " << i;
    const bool last_of_paragraph = i < 77 && starts.count(i + 1);
    if (joined.count(i)) {
      EXPECT_TRUE(line.size() >= 190 && line.size() <= 288) << "entry " << i;
    } else if (i < 77) {
      EXPECT_LE(line.size(), 97u) << "entry " << i;
      if (!last_of_paragraph) {
        EXPECT_GE(line.size(), 93u) << "entry " << i;
      }
    }
    const std::size_t blanks = i == 76 ? 2 : one_blank.count(i);
    EXPECT_EQ(TrailingBlanks(line), blanks) << "entry " << i;
  }
  EXPECT_NE(notes.lines[79].find("@example.org"), std::string::npos);
}

}  // namespace
}  // namespace tarvosa
