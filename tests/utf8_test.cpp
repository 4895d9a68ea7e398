#include "util/utf8.h"

#include <gtest/gtest.h>

namespace tarvosa {
namespace {

constexpr std::string_view kReplaced = "\xEF\xBF\xBD";

std::string Replaced(int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += kReplaced;
  return out;
}

TEST(ValidUtf8, WellFormedTextIsKeptAndEveryOtherByteReplaced) {
  const struct {
    std::string_view text;
    std::string valid;
  } cases[] = {
      {"", ""},
      {"Cavalleggeri d'Aosta", "Cavalleggeri d'Aosta"},
      {"Validità € ’ 😀", "Validità € ’ 😀"},
      {"\xFF", Replaced(1)},
      {"a\xFF"
       "b",
       "a\xEF\xBF\xBD"
       "b"},
      {"\x80", Replaced(1)},              // a continuation byte alone
      {"\xC0\xAF", Replaced(2)},          // an overlong '/'
      {"\xED\xA0\x80", Replaced(3)},      // a surrogate
      {"\xF4\x90\x80\x80", Replaced(4)},  // past U+10FFFF
      {"\xE2\x82", Replaced(2)},          // a euro sign cut short
      {"\xE2\x82"
       "x\xE2\x82\xAC",
       Replaced(2) + "x€"},
  };
  for (const auto& c : cases) EXPECT_EQ(ValidUtf8(c.text), c.valid) << c.text;
}

TEST(ValidUtf8, EveryCharacterWrittenReadsBackWithItsLength) {
  const struct {
    char32_t character;
    std::size_t length;
  } cases[] = {{U'A', 1},          {U'\u007F', 1}, {U'\u0080', 2},    {U'é', 2},
               {U'\u07FF', 2},     {U'\u0800', 3}, {U'€', 3},         {U'\uFFFF', 3},
               {U'\U00010000', 4}, {U'😀', 4},      {U'\U0010FFFF', 4}};
  for (const auto& c : cases) {
    std::string bytes;
    AppendUtf8(c.character, bytes);
    const auto decoded = DecodeUtf8(bytes, 0);
    ASSERT_TRUE(decoded.has_value()) << static_cast<unsigned>(c.character);
    EXPECT_EQ(decoded->first, c.character);
    EXPECT_EQ(decoded->second, c.length);
    EXPECT_EQ(bytes.size(), c.length);
  }
}

}  // namespace
}  // namespace tarvosa
