// Lines and columns as a person counts them, whatever ends the lines.
#include "util/text_position.h"

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

}  // namespace
}  // namespace tarvosa
