#include "util/portable_names.h"

#include <array>

#include "util/utf8.h"

namespace tarvosa {
namespace {

// The lower-case form of a letter Windows-1252 has in both cases.
char32_t LowerCase(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c - U'A' + U'a';
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;  // À to Þ, not ×
  switch (c) {
    case 0x160:  // Š
    case 0x152:  // Œ
    case 0x17D:  // Ž
      return c + 1;
    case 0x178:  // Ÿ
      return 0xFF;
    default:
      return c;
  }
}

// "con", "com1" ... in lower case; the superscripts in UTF-8.
bool IsFoldedDeviceName(std::string_view stem) {
  static constexpr std::array<std::string_view, 6> kPlain = {"con", "prn",    "aux",
                                                             "nul", "conin$", "conout$"};
  for (std::string_view device : kPlain) {
    if (stem == device) return true;
  }
  if (!stem.starts_with("com") && !stem.starts_with("lpt")) return false;
  const std::string_view number = stem.substr(3);
  if (number.size() == 1) return number[0] >= '1' && number[0] <= '9';
  return number == "\xC2\xB9" || number == "\xC2\xB2" || number == "\xC2\xB3";  // ¹ ² ³
}

Status Problem(std::string reason) {
  return Status::DataError(std::move(reason));
}

std::string Hex(unsigned char byte) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return std::string("0x") + kDigits[byte >> 4] + kDigits[byte & 0xF];
}

}  // namespace

std::string_view StemOf(std::string_view name) {
  return name.substr(0, name.find('.'));
}

bool IsDeviceName(std::string_view stem) {
  const std::size_t end = stem.find_last_not_of(' ');
  if (end == std::string_view::npos) return false;
  return IsFoldedDeviceName(FoldedName(stem.substr(0, end + 1)));
}

Status PortableNameProblem(std::string_view name) {
  if (name.empty()) return Problem("the name is empty");
  if (name == "." || name == "..") return Problem("the name is '" + std::string(name) + "'");
  if (name.size() > kLongestPortableName) {
    return Problem("the name is longer than " + std::to_string(kLongestPortableName) + " bytes");
  }
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      return Problem("the name holds the control character " + Hex(byte));
    }
    if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) {
      return Problem(std::string("the name holds '") + c + "', which a file name cannot hold");
    }
  }
  if (IsDeviceName(StemOf(name))) {
    return Problem("the name begins with '" + std::string(StemOf(name)) +
                   "', which Windows keeps for a device");
  }
  if (name.back() == ' ' || name.back() == '.') {
    return Problem("the name ends with a blank or a dot, which Windows drops");
  }
  return Status();
}

std::string FoldedName(std::string_view name) {
  std::string folded;
  folded.reserve(name.size());
  for (std::size_t at = 0; at < name.size();) {
    const auto decoded = DecodeUtf8(name, at);
    if (!decoded) {  // a byte that is no character (never an ASCII one) stays as it is
      folded += name[at++];
      continue;
    }
    AppendUtf8(LowerCase(decoded->first), folded);
    at += decoded->second;
  }
  return folded;
}

bool SameFileName(std::string_view a, std::string_view b) {
  return FoldedName(a) == FoldedName(b);
}

}  // namespace tarvosa
