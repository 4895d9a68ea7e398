#include "compiler/internal/lint.h"

#include <algorithm>
#include <array>
#include <vector>

#include "compiler/compiled_model.h"
#include "compiler/internal/field_reader.h"

namespace tarvosa::lint {
namespace {

// The keywords as the example files write them.
constexpr std::array<std::string_view, 23> kLineKeywords = {"lunghezza percorso",
                                                            "progressiva chilometrica uno",
                                                            "progressiva chilometrica due",
                                                            "progressiva chilometrica tre",
                                                            "sfondo uno",
                                                            "sfondo due",
                                                            "sfondo tre",
                                                            "ripetizione segnali 4 codici",
                                                            "ripetizione segnali 9 codici",
                                                            "pendenza",
                                                            "curvad1",
                                                            "curvad2",
                                                            "curvad3",
                                                            "curvad4",
                                                            "curvad5",
                                                            "curvad6",
                                                            "curvas1",
                                                            "curvas2",
                                                            "curvas3",
                                                            "curvas4",
                                                            "curvas5",
                                                            "curvas6",
                                                            "montagna"};
constexpr std::array<std::string_view, 2> kLineBoards = {"indicatori_vmax", "cartello_indicatore"};
constexpr std::array<std::string_view, 10> kTrainKeywords = {"percentuale massa frenata",
                                                             "numero vetture",
                                                             "velocita",
                                                             "aderenza",
                                                             "orologio",
                                                             "sabbia",
                                                             "segnale",
                                                             "rallentamento",
                                                             "abbattimento",
                                                             "stazione"};

std::vector<std::string_view> KeywordsOf(SourceLocation::File file) {
  if (file == SourceLocation::File::kTrain) return {kTrainKeywords.begin(), kTrainKeywords.end()};
  std::vector<std::string_view> keywords(kLineKeywords.begin(), kLineKeywords.end());
  keywords.insert(keywords.end(), kLineBoards.begin(), kLineBoards.end());
  return keywords;
}

std::string Normal(std::string_view field) {
  const std::size_t first = field.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  field = field.substr(first, field.find_last_not_of(' ') + 1 - first);
  std::string lower(field);
  for (char& c : lower) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c;
  return lower;
}

// The edits (a letter added, dropped, changed, or two swapped) from a to b.
std::size_t Distance(std::string_view a, std::string_view b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

// The keywords nearest `field`, when they are near enough to be meant.
std::vector<std::string_view> NearMisses(const std::string& field,
                                         const std::vector<std::string_view>& keywords) {
  constexpr std::size_t kLongestField = 60;
  std::vector<std::string_view> nearest;
  if (field.size() > kLongestField) return nearest;
  std::size_t best = std::max<std::size_t>(1, field.size() / 4) + 1;
  for (const std::string_view keyword : keywords) {
    const std::size_t distance = Distance(field, keyword);
    if (distance < best) best = distance, nearest.clear();
    if (distance == best) nearest.push_back(keyword);
  }
  return nearest;
}

std::string Choices(const std::vector<std::string_view>& keywords) {
  std::string text;
  for (std::size_t i = 0; i < keywords.size(); ++i) {
    if (i > 0) text += i + 1 == keywords.size() ? " or " : ", ";
    text += '\'';
    text += keywords[i];
    text += '\'';
  }
  return text;
}

bool IsNumber(std::string_view field) {
  const std::string normal = Normal(field);
  const std::string_view digits = !normal.empty() && normal[0] == '-'
                                      ? std::string_view(normal).substr(1)
                                      : std::string_view(normal);
  return !digits.empty() &&
         std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

bool IsKeywordOf(std::string_view field, SourceLocation::File file) {
  const std::vector<std::string_view> keywords = KeywordsOf(file);
  return std::find(keywords.begin(), keywords.end(), Normal(field)) != keywords.end();
}

void UnknownField(Diagnostics& d, const SourceLocation& at, std::string_view field,
                  SourceLocation::File file, bool after_values) {
  const std::string normal = Normal(field);
  if (normal.empty() || (Contains(field, "[") && Contains(field, "]"))) return;
  if (after_values) {
    d.Warn(at, [&] {
      return Quoted(field) + " is one value more than the record before it takes, and is " +
             (IsNumber(field) ? "passed over (a decimal comma? numbers are whole)"
                              : "read as a keyword that matches none");
    });
    return;
  }
  const auto other = file == SourceLocation::File::kLine ? SourceLocation::File::kTrain
                                                         : SourceLocation::File::kLine;
  if (IsKeywordOf(field, other)) {
    d.Warn(at, [&] {
      return Quoted(field) + " is a keyword of the " +
             (other == SourceLocation::File::kLine ? "line definition" : "train data") +
             " file and is passed over here";
    });
    return;
  }
  if (IsKeywordOf(field, file)) {
    const bool capitals =
        std::any_of(field.begin(), field.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
    d.Warn(at, [&] {
      return Quoted(field) + " is passed over: " +
             (capitals ? "this keyword is read only in small letters"
                       : "it is read only in its own part of the file (the general part "
                         "ends at the first '[...]' line after '[generale]')");
    });
    return;
  }
  // The near misses are sought only for a warning that is kept.
  d.Warn(at, [&] {
    const std::vector<std::string_view> near = NearMisses(normal, KeywordsOf(file));
    std::string text = Quoted(field) + " matches no keyword and is passed over";
    if (!near.empty()) text += ": did you mean " + Choices(near) + "?";
    return text;
  });
}

void PassedOver(Diagnostics& d, const SourceLocation& at, std::string_view field,
                std::string_view previous_station) {
  const auto words = [&] {
    std::string text = Quoted(field) + " is passed over unread because it holds '-'";
    if (!previous_station.empty()) {
      text += ": it reads like the rest of the name of the station " + Quoted(previous_station) +
              " on the line before, but a name ends at its comma or line end";
    }
    return text;
  };
  d.Warn(at, words, WarningKind::kComment);
}

void CurveKeyword(Diagnostics& d, const SourceLocation& at, std::string_view field, int curve_class,
                  bool left) {
  const std::string normal = Normal(field);
  const std::string digit(1, static_cast<char>('0' + curve_class));
  if (normal == "curvad" + digit || normal == "curvas" + digit) return;
  d.Warn(at, [&] {
    return Quoted(field) + " is read as a " + (left ? "left" : "right") + "-hand curve of class " +
           digit + " (" + (left ? "it holds an 's'" : "it holds no 's'") +
           "): did you mean 'curvad" + digit + "' or 'curvas" + digit + "'?";
  });
}

void Stored(Diagnostics& d, const SourceLocation& at, std::string_view what, std::int64_t written,
            std::int64_t stored, std::string_view why) {
  if (written == stored) return;
  d.Warn(at, [&] {
    return std::string(what) + " of " + std::to_string(written) + " is stored as " +
           std::to_string(stored) + ": " + std::string(why);
  });
}

void Text(Diagnostics& d, const SourceLocation& at, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const bool utf8_pair = byte >= 0xC2 && byte <= 0xF4 && i + 1 < text.size() &&
                           (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80;
    if (utf8_pair) {
      return d.Warn(at, [&] {
        return "the text " + Quoted(text) +
               " looks like UTF-8: the simulator reads Windows-1252 and shows it "
               "garbled; convert the file with iconv -f UTF-8 -t WINDOWS-1252";
      });
    }
    if (byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D) {
      return d.Warn(at, [&] {
        return "the text " + Quoted(text) + " has a byte that is no Windows-1252 character";
      });
    }
    if (byte < 0x20)
      return d.Warn(at, [&] { return "the text " + Quoted(text) + " has a control character"; });
  }
}

void Replaced(Diagnostics& d, const SourceLocation& at, std::int64_t cell, std::uint8_t before,
              std::uint8_t after) {
  const std::string was(CellKindName(before));
  d.Warn(at, [&] {
    return "the " + std::string(CellKindName(after)) + " takes cell " + std::to_string(cell) +
           ", which held a " + was + ": the " + was + " is lost";
  });
}

void WrongWayRound(Diagnostics& d, SourceLocation::File file, std::int32_t foreign_keywords,
                   std::int32_t own_records) {
  if (foreign_keywords < 2 || own_records > 0) return;
  const bool line = file == SourceLocation::File::kLine;
  d.Warn({file, -1}, [&] {
    return std::string("this looks like a ") + (line ? "train data file" : "line definition file") +
           " (" + std::to_string(foreign_keywords) + " of its keywords are): were the " +
           "line and train files given the wrong way round?";
  });
}

bool NearGeneralHeader(std::string_view field) {
  const std::string normal = Normal(field);
  return normal != "[generale]" && normal.size() < 20 && Distance(normal, "[generale]") <= 2;
}

}  // namespace tarvosa::lint
