#include "compiler/codes.h"

#include <string>

namespace tarvosa {
namespace {

constexpr std::size_t kCodeLength = 25;

// The lower-case form of a Windows-1252 letter.
unsigned char LowerCase(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c + 0x20;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  switch (c) {
    case 0x8A:
      return 0x9A;  // Š
    case 0x8C:
      return 0x9C;  // Œ
    case 0x8E:
      return 0x9E;  // Ž
    case 0x9F:
      return 0xFF;  // Ÿ
    default:
      return c;
  }
}

// The first 25 characters of the code string.
std::string CodeString(const ScenarioHeader& header) {
  std::string s = header[kTrainEntry].name + header[kRouteEntry].name;
  for (char& c : s) c = static_cast<char>(LowerCase(static_cast<unsigned char>(c)));
  s += "aabbccddeeffgghhiillmmnnoo";
  return s.substr(0, kCodeLength);
}

}  // namespace

std::int16_t codice_gara_og(const ScenarioHeader& header) {
  std::int32_t sum = 0;
  for (const char c : CodeString(header)) sum += static_cast<unsigned char>(c);
  return static_cast<std::int16_t>(sum);  // at most 25 * 255
}

std::int32_t codice_gara_st(const ScenarioHeader& header) {
  const std::string s = CodeString(header);
  std::int32_t sum = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    sum += static_cast<std::int32_t>(i + 1) * static_cast<unsigned char>(s[i]);
  }
  return sum;
}

}  // namespace tarvosa
