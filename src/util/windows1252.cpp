#include "util/windows1252.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <utility>

#include "util/utf8.h"

namespace tarvosa {
namespace {

// The characters that Windows-1252 puts in bytes 80 to 9F; the other bytes
// of that row (81, 8D, 8F, 90, 9D) hold no character.
constexpr std::array<std::pair<char32_t, unsigned char>, 27> kRow80 = {{
    {U'\u20AC', 0x80}, {U'\u201A', 0x82}, {U'\u0192', 0x83}, {U'\u201E', 0x84}, {U'\u2026', 0x85},
    {U'\u2020', 0x86}, {U'\u2021', 0x87}, {U'\u02C6', 0x88}, {U'\u2030', 0x89}, {U'\u0160', 0x8A},
    {U'\u2039', 0x8B}, {U'\u0152', 0x8C}, {U'\u017D', 0x8E}, {U'\u2018', 0x91}, {U'\u2019', 0x92},
    {U'\u201C', 0x93}, {U'\u201D', 0x94}, {U'\u2022', 0x95}, {U'\u2013', 0x96}, {U'\u2014', 0x97},
    {U'\u02DC', 0x98}, {U'\u2122', 0x99}, {U'\u0161', 0x9A}, {U'\u203A', 0x9B}, {U'\u0153', 0x9C},
    {U'\u017E', 0x9E}, {U'\u0178', 0x9F},
}};

std::optional<unsigned char> ByteFor(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  for (const auto& [character, byte] : kRow80) {
    if (character == c) return byte;
  }
  return std::nullopt;
}

// The character of a Windows-1252 byte; nothing for the five bytes that
// hold none.
std::optional<char32_t> CharacterOf(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte < 0x80 || byte > 0x9F) return char32_t{byte};
  for (const auto& [character, candidate] : kRow80) {
    if (candidate == byte) return character;
  }
  return std::nullopt;
}

std::string CodePointName(char32_t c) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
  return buffer;
}

Status AtColumn(std::size_t column, const std::string& reason) {
  return Status::DataError(std::to_string(column) + ": " + reason);
}

}  // namespace

Status EncodeWindows1252(std::string_view utf8, std::string& out) {
  std::size_t column = 1;
  for (std::size_t at = 0; at < utf8.size(); ++column) {
    const auto decoded = DecodeUtf8(utf8, at);
    if (!decoded) return AtColumn(column, "the text is not valid UTF-8");
    const auto [character, length] = *decoded;
    const auto byte = ByteFor(character);
    if (!byte) {
      return AtColumn(column,
                      "character " + CodePointName(character) + " has no Windows-1252 byte");
    }
    out.push_back(static_cast<char>(*byte));
    at += length;
  }
  return Status();
}

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  for (const char c : bytes) AppendUtf8(CharacterOf(c).value_or(kReplacementCharacter), out);
  return out;
}

Status DecodeWindows1252(std::string_view bytes, std::string& utf8) {
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    const auto character = CharacterOf(bytes[at]);
    if (!character) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "%02X",
                    static_cast<unsigned>(static_cast<unsigned char>(bytes[at])));
      return AtColumn(at + 1, std::string("byte ") + hex + " holds no Windows-1252 character");
    }
    AppendUtf8(*character, utf8);
  }
  return Status();
}

}  // namespace tarvosa
