#include "documents/sheet_text.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace tarvosa {
namespace {

bool StartsCharacter(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

// The first `count` characters of UTF-8 text.
std::string_view FirstCharacters(std::string_view utf8, std::size_t count) {
  std::size_t at = 0;
  for (std::size_t seen = 0; at < utf8.size(); ++at) {
    if (StartsCharacter(utf8[at]) && seen++ == count) break;
  }
  return utf8.substr(0, at);
}

}  // namespace

std::size_t Characters(std::string_view utf8) {
  std::size_t count = 0;
  for (const char c : utf8) count += StartsCharacter(c);
  return count;
}

std::string Repeat(char c, std::size_t count) {
  return std::string(count, c);
}

std::string Left(std::string_view text, std::size_t width, char fill) {
  const std::size_t length = Characters(text);
  return std::string(text) + Repeat(fill, width > length ? width - length : 0);
}

std::string Right(std::string_view text, std::size_t width, char fill) {
  const std::size_t length = Characters(text);
  return Repeat(fill, width > length ? width - length : 0) + std::string(text);
}

std::string Centre(std::string_view text, std::size_t width, char fill) {
  const std::size_t length = Characters(text);
  const std::size_t room = width > length ? width - length : 0;
  return Repeat(fill, room / 2) + std::string(text) + Repeat(fill, room - room / 2);
}

std::string Kilometres(std::int32_t metres) {
  const long long magnitude = std::llabs(static_cast<long long>(metres));
  char text[32];
  std::snprintf(text, sizeof text, "%s%lld.%02lld", metres < 0 ? "-" : "", magnitude / 1000,
                magnitude % 1000 / 10);
  return text;
}

std::string KilometrePost(std::int32_t metres) {
  const long long post =
      metres >= 0 ? metres / 1000 : -((-static_cast<long long>(metres) + 999) / 1000);
  return std::to_string(post) + ".000";
}

std::string TimetableTime(std::int32_t seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%02d", seconds / 3600, seconds / 60 % 60);
  return std::string(text) + (seconds % 60 >= 30 ? "½" : "");
}

std::vector<std::string> Wrap(std::string_view text, std::size_t width) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t space = text.find(' ', at);
    std::string_view word = text.substr(at, space == std::string_view::npos ? space : space - at);
    at = space == std::string_view::npos ? text.size() : space + 1;
    if (word.empty()) continue;
    const std::size_t needed = Characters(line) + (line.empty() ? 0 : 1) + Characters(word);
    if (!line.empty() && needed > width) lines.push_back(std::exchange(line, ""));
    while (Characters(word) > width) {
      // After a hyphen of the word's own where there is one, else with one.
      const std::string_view room = FirstCharacters(word, width);
      const std::size_t hyphen = room.rfind('-');
      const std::string_view head = hyphen != std::string_view::npos
                                        ? room.substr(0, hyphen + 1)
                                        : FirstCharacters(word, width - 1);
      lines.push_back(std::string(head) + (hyphen != std::string_view::npos ? "" : "-"));
      word.remove_prefix(head.size());
    }
    if (!line.empty()) line += ' ';
    line += word;
  }
  if (!line.empty() || lines.empty()) lines.push_back(line);
  return lines;
}

}  // namespace tarvosa
