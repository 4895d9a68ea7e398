// Lines and columns as a person counts them, whatever ends the lines.
#include "util/text_position.h"

#include <algorithm>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace tarvosa {
namespace {

std::pair<std::size_t, std::size_t> At(std::string_view bytes, std::size_t offset) {
  const TextPosition p = PositionOf(bytes, offset);
  return {p.line, p.column};
}

using Place = std::pair<std::size_t, std::size_t>;

TEST(TextPosition, EachKindOfLineEndStartsALine) {
  EXPECT_EQ(At("", 0), (Place{1, 1}));
  EXPECT_EQ(At("abc", 2), (Place{1, 3}));
  EXPECT_EQ(At("ab\ncd", 3), (Place{2, 1}));
  EXPECT_EQ(At("ab\r\ncd", 4), (Place{2, 1}));
  EXPECT_EQ(At("ab\rcd", 4), (Place{2, 2}));
  EXPECT_EQ(At("a\n\nb", 3), (Place{3, 1}));
  EXPECT_EQ(At("a\r\n\r\nbc", 6), (Place{3, 2}));
}

TEST(TextPosition, BetweenCrAndLfAndPastTheEnd) {
  EXPECT_EQ(At("ab\r\ncd", 3), (Place{2, 1}));  // on the LF of a pair: the next line
  EXPECT_EQ(At("ab\r", 3), (Place{2, 1}));
  EXPECT_EQ(At("a\n", 10), (Place{2, 1}));
  EXPECT_EQ(At("a\r\n", 3), (Place{2, 1}));  // a pair that ends the text is one line end
  EXPECT_EQ(At("abc", 10), (Place{1, 4}));
}

// Offsets asked of one TextPositions, in any order and repeated, give what
// each gives alone.
TEST(TextPosition, ManyOffsetsOfOneTextGiveWhatEachGivesAlone) {
  std::mt19937 random(7);
  const std::string alphabet = "ab\r\n";
  std::string text;
  for (int i = 0; i < 400; ++i) text += alphabet[random() % alphabet.size()];
  std::vector<std::size_t> offsets;
  for (std::size_t offset = 0; offset <= text.size() + 2; ++offset) {
    offsets.push_back(offset), offsets.push_back(offset);
  }
  const auto expect_alone = [&](const std::vector<std::size_t>& order) {
    TextPositions positions(text);
    for (const std::size_t offset : order) {
      const TextPosition many = positions.Of(offset), alone = PositionOf(text, offset);
      ASSERT_EQ((Place{many.line, many.column}), (Place{alone.line, alone.column})) << offset;
    }
  };
  expect_alone(offsets);
  std::reverse(offsets.begin(), offsets.end());
  expect_alone(offsets);
  std::shuffle(offsets.begin(), offsets.end(), random);
  expect_alone(offsets);
}

// Offsets asked in ascending order, as the warnings are told, look at each
// byte once however many there are; one asked before them starts again.
TEST(TextPosition, AscendingOffsetsLookAtTheTextOnce) {
  std::string text;
  for (int i = 0; i < 1000; ++i) text += "lunghezza percorso, 0\r\n";
  TextPositions positions(text);
  for (std::size_t offset = 0; offset < text.size(); offset += 7) positions.Of(offset);
  EXPECT_LE(positions.bytes_looked_at(), text.size());
  EXPECT_EQ(positions.Of(text.size()).line, 1001u);
  EXPECT_LE(positions.bytes_looked_at(), text.size() + 1);
  EXPECT_EQ(positions.Of(24).line, 2u);
  EXPECT_GT(positions.bytes_looked_at(), text.size());
}

}  // namespace
}  // namespace tarvosa
