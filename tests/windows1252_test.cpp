#include "util/windows1252.h"

#include <gtest/gtest.h>

namespace tarvosa {
namespace {

std::string Encode(std::string_view utf8) {
  std::string out;
  const Status encoded = EncodeWindows1252(utf8, out);
  EXPECT_TRUE(encoded.ok()) << encoded.message();
  return out;
}

std::string ErrorOf(std::string_view utf8) {
  std::string out;
  const Status encoded = EncodeWindows1252(utf8, out);
  if (encoded.ok()) return "no error";
  EXPECT_EQ(encoded.kind(), ExitStatus::kDataError);
  return encoded.message();
}

TEST(Windows1252, AsciiIsKeptByteForByte) {
  EXPECT_EQ(Encode("pendenza,  1250,   -4,5"), "pendenza,  1250,   -4,5");
  EXPECT_EQ(Encode("a\\\\b  "), "a\\\\b  ");
  EXPECT_EQ(Encode(""), "");
}

TEST(Windows1252, TheDocumentsLettersTakeOneByteEach) {
  EXPECT_EQ(Encode("à"), "\xE0");
  EXPECT_EQ(Encode("è"), "\xE8");
  EXPECT_EQ(Encode("ì"), "\xEC");
  EXPECT_EQ(Encode("ò"), "\xF2");
  EXPECT_EQ(Encode("ù"), "\xF9");
  EXPECT_EQ(Encode("°"), "\xB0");
  EXPECT_EQ(Encode("½"), "\xBD");
  EXPECT_EQ(Encode("Validità"), "Validit\xE0");
  EXPECT_EQ(Encode("11.15½"), "11.15\xBD");
}

TEST(Windows1252, TheRowFromEightyHoldsItsOwnCharacters) {
  EXPECT_EQ(Encode("€"), "\x80");
  EXPECT_EQ(Encode("’"), "\x92");
  EXPECT_EQ(Encode("—"), "\x97");
  EXPECT_EQ(Encode("Ÿ"), "\x9F");
}

TEST(Windows1252, ACharacterWithoutAByteIsAnErrorAtItsColumn) {
  EXPECT_EQ(ErrorOf("abā"), "3: character U+0101 has no Windows-1252 byte");
  EXPECT_EQ(ErrorOf("è→"), "2: character U+2192 has no Windows-1252 byte");
  EXPECT_EQ(ErrorOf("\u0081"), "1: character U+0081 has no Windows-1252 byte");
  EXPECT_EQ(ErrorOf("😀"), "1: character U+1F600 has no Windows-1252 byte");
}

// The edges of the ranges kept as they are and of the row from 80h.
TEST(Windows1252, TheEdgesOfTheDirectRanges) {
  EXPECT_EQ(Encode("\u007F"), "\x7F");
  EXPECT_EQ(Encode("\u00A0"), "\xA0");
  EXPECT_EQ(Encode("ÿ"), "\xFF");
  EXPECT_EQ(ErrorOf("Ā"), "1: character U+0100 has no Windows-1252 byte");
  EXPECT_EQ(ErrorOf("\u0080"), "1: character U+0080 has no Windows-1252 byte");
  EXPECT_EQ(ErrorOf("\u009F"), "1: character U+009F has no Windows-1252 byte");
}

// The edges of well-formed UTF-8: the longest character, the surrogates'
// neighbours, the smallest of each length.
TEST(Windows1252, TheEdgesOfUtf8) {
  EXPECT_EQ(ErrorOf("\xF4\x8F\xBF\xBF"), "1: character U+10FFFF has no Windows-1252 byte");
  EXPECT_EQ(ErrorOf("\xF4\x90\x80\x80"), "1: the text is not valid UTF-8");
  EXPECT_EQ(ErrorOf("\xED\x9F\xBF"), "1: character U+D7FF has no Windows-1252 byte");
  EXPECT_EQ(ErrorOf("\xEE\x80\x80"), "1: character U+E000 has no Windows-1252 byte");
  EXPECT_EQ(ErrorOf("\xED\xBF\xBF"), "1: the text is not valid UTF-8");  // the last surrogate
  EXPECT_EQ(ErrorOf("\xE0\xA0\x80"), "1: character U+0800 has no Windows-1252 byte");
  EXPECT_EQ(ErrorOf("\xE0\x9F\xBF"), "1: the text is not valid UTF-8");  // overlong
  EXPECT_EQ(ErrorOf("\xF0\x90\x80\x80"), "1: character U+10000 has no Windows-1252 byte");
  EXPECT_EQ(ErrorOf("\xF0\x8F\xBF\xBF"), "1: the text is not valid UTF-8");  // overlong
  EXPECT_EQ(Encode("\xC2\xA0"), "\xA0");
  EXPECT_EQ(ErrorOf("\xC1\xBF"), "1: the text is not valid UTF-8");   // overlong
  EXPECT_EQ(ErrorOf("a\xE2\x82"), "2: the text is not valid UTF-8");  // cut short
}

TEST(Windows1252, BytesThatAreNotUtf8AreAnError) {
  EXPECT_EQ(ErrorOf("a\x80"), "2: the text is not valid UTF-8");         // stray continuation
  EXPECT_EQ(ErrorOf("\xC3"), "1: the text is not valid UTF-8");          // cut short
  EXPECT_EQ(ErrorOf("\xC0\xA0"), "1: the text is not valid UTF-8");      // overlong blank
  EXPECT_EQ(ErrorOf("\xED\xA0\x80"), "1: the text is not valid UTF-8");  // surrogate
  EXPECT_EQ(ErrorOf("\xF5\x80\x80\x80"), "1: the text is not valid UTF-8");
}

// The bytes before the character are kept, and a later text appends to them.
TEST(Windows1252, AnEncodingStopsAtTheCharacterWithoutAByte) {
  std::string out;
  const Status error = EncodeWindows1252("abā", out);
  EXPECT_EQ(error.kind(), ExitStatus::kDataError);
  EXPECT_EQ(error.message(), "3: character U+0101 has no Windows-1252 byte");
  EXPECT_TRUE(EncodeWindows1252("è", out).ok());
  EXPECT_EQ(out, "ab\xE8");
}

TEST(Windows1252, BytesReadBackAsUtf8) {
  EXPECT_EQ(Windows1252ToUtf8("Validit\xE0 11.15\xBD \x80"), "Validità 11.15½ €");
  EXPECT_EQ(Windows1252ToUtf8("\x81"), "\uFFFD");
}

TEST(Windows1252, EveryByteWithACharacterComesBackFromItsUtf8) {
  std::string bytes;
  for (int byte = 0; byte < 256; ++byte) {
    if (byte != 0x81 && byte != 0x8D && byte != 0x8F && byte != 0x90 && byte != 0x9D) {
      bytes += static_cast<char>(byte);
    }
  }
  std::string utf8;
  ASSERT_TRUE(DecodeWindows1252(bytes, utf8).ok());
  EXPECT_EQ(Encode(utf8), bytes);
  utf8.clear();
  ASSERT_TRUE(DecodeWindows1252("Validit\xE0 \x80", utf8).ok());
  EXPECT_EQ(utf8, "Validità €");
}

TEST(Windows1252, AByteWithoutACharacterCannotBeReadBack) {
  for (const char* bytes : {"ab\x81", "ab\x8D", "ab\x8F", "ab\x90", "ab\x9D"}) {
    std::string utf8;
    const Status decoded = DecodeWindows1252(bytes, utf8);
    EXPECT_EQ(decoded.kind(), ExitStatus::kDataError) << bytes;
    EXPECT_EQ(decoded.message().substr(0, 3), "3: ") << decoded.message();
  }
  std::string utf8;
  EXPECT_EQ(DecodeWindows1252("\xE8\x90", utf8).message(),
            "2: byte 90 holds no Windows-1252 character");
}

}  // namespace
}  // namespace tarvosa
