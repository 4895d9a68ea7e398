#include "documents/station_names.h"

#include <vector>

namespace tarvosa {
namespace {

// The longest name, in bytes, that may be abbreviated or cut.
constexpr std::size_t kLongestAbbreviated = 64;

bool IsBlank(char c) {
  return c == ' ' || c == '_' || c == '-' || c == '\t';
}

// Appends the capital of the character at `name[at]`; returns its length.
std::size_t AppendCapital(std::string_view name, std::size_t at, std::string& out) {
  const auto byte = static_cast<unsigned char>(name[at]);
  if (byte >= 'a' && byte <= 'z') {
    out.push_back(static_cast<char>(byte - 'a' + 'A'));
    return 1;
  }
  // U+00E0 to U+00FE but U+00F7 (division sign): the small letters whose
  // capitals stand 0x20 below them.
  if (byte == 0xC3 && at + 1 < name.size()) {
    const auto next = static_cast<unsigned char>(name[at + 1]);
    const bool small = next >= 0xA0 && next <= 0xBE && next != 0xB7;
    out.push_back(name[at]);
    out.push_back(static_cast<char>(small ? next - 0x20 : next));
    return 2;
  }
  out.push_back(name[at]);
  return 1;
}

}  // namespace

std::string StationKey(std::string_view name) {
  std::string key;
  for (std::size_t at = 0; at < name.size();) {
    if (IsBlank(name[at])) {
      if (!key.empty() && key.back() != ' ') key.push_back(' ');
      ++at;
      continue;
    }
    at += AppendCapital(name, at, key);
  }
  if (!key.empty() && key.back() == ' ') key.pop_back();
  return key;
}

bool SameStation(std::string_view written, std::string_view data) {
  const std::string s = StationKey(written);
  const std::string d = StationKey(data);
  if (s.empty() || d.empty()) return false;
  if (s[0] != '.' && s[0] != d[0]) return false;
  // A name this long is no abbreviation; comparing it whole keeps a hostile
  // document from costing the square of its lines' lengths.
  if (s.size() > kLongestAbbreviated || d.size() > kLongestAbbreviated) return s == d;
  // fits[i * (m + 1) + j]: the document's name from i on stands for the
  // data's from j on. A "." takes any run of the data's characters.
  const std::size_t n = s.size(), m = d.size();
  std::vector<char> fits((n + 1) * (m + 1), 0);
  const auto at = [m](std::size_t i, std::size_t j) { return i * (m + 1) + j; };
  for (std::size_t j = 0; j <= m; ++j) fits[at(n, j)] = j == m || d[j] == ' ';
  for (std::size_t i = n; i-- > 0;) {
    fits[at(i, m)] = s[i] == ' ' || (s[i] == '.' && fits[at(i + 1, m)]);
    for (std::size_t j = m; j-- > 0;) {
      fits[at(i, j)] = s[i] == '.' ? fits[at(i + 1, j)] || fits[at(i, j + 1)]
                                   : s[i] == d[j] && fits[at(i + 1, j + 1)];
    }
  }
  return fits[at(0, 0)];
}

}  // namespace tarvosa
