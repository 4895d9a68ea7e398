#include "documents/document_reading.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "documents/sheet_text.h"

namespace tarvosa {
namespace {

// A cell of a ruled line: what stands between two "|", and where.
struct Cell {
  std::string_view text;
  std::size_t offset = 0;  // of its first byte in the line
};

std::vector<Cell> Cells(std::string_view line) {
  std::vector<Cell> cells;
  std::size_t start = 0;
  for (std::size_t bar; (bar = line.find('|', start)) != std::string_view::npos; start = bar + 1) {
    cells.push_back({line.substr(start, bar - start), start});
  }
  cells.push_back({line.substr(start), start});
  return cells;
}

bool IsPadding(char c) {
  return c == ' ' || c == '_';
}

// The cell's text without the blanks and "_" that pad it, where it begins.
WrittenValue Value(std::string_view line, std::size_t line_index, const Cell& cell) {
  std::size_t first = 0, last = cell.text.size();
  while (first < last && IsPadding(cell.text[first])) ++first;
  while (last > first && IsPadding(cell.text[last - 1])) --last;
  return {.text = std::string(cell.text.substr(first, last - first)),
          .line = line_index + 1,
          .column = Characters(line.substr(0, cell.offset + first)) + 1};
}

std::optional<std::size_t> HeadColumn(const std::vector<Cell>& cells, std::string_view head) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    std::string_view text = cells[i].text;
    while (!text.empty() && IsPadding(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsPadding(text.back())) text.remove_suffix(1);
    if (text == head) return i;
  }
  return std::nullopt;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80;
}
bool DrawsTrack(char c) {
  return c == ' ' || c == '|' || c == '_' || c == '\\' || c == '/';
}

// The first kilometre figure of a speed-table row, "137.40", standing apart
// from the track drawn before it: its offset and length.
std::optional<std::pair<std::size_t, std::size_t>> KilometreFigure(std::string_view line) {
  for (std::size_t at = 0; at < line.size(); ++at) {
    const bool sign = line[at] == '-' && at + 1 < line.size() && IsDigit(line[at + 1]);
    if (!IsDigit(line[at]) && !sign) continue;
    if (at > 0 && !DrawsTrack(line[at - 1])) continue;
    std::size_t end = at + (sign ? 1 : 0);
    while (end < line.size() && IsDigit(line[end])) ++end;
    const bool two_decimals = end + 2 < line.size() && line[end] == '.' && IsDigit(line[end + 1]) &&
                              IsDigit(line[end + 2]);
    if (two_decimals && (end + 3 == line.size() || line[end + 3] == ' ' || line[end + 3] == '|')) {
      return std::pair{at, end + 3 - at};
    }
    at = end;
  }
  return std::nullopt;
}

// The locality after the kilometre figure, in its own cell or not; rows
// that only mark a kilometre post or a tunnel name no locality.
std::optional<Cell> LocalityAfter(std::string_view line, std::size_t at) {
  while (at < line.size() && line[at] == ' ') ++at;
  if (at < line.size() && line[at] == '|') {
    ++at;
    while (at < line.size() && line[at] == ' ') ++at;
  }
  if (at == line.size() || !IsLetter(line[at])) return std::nullopt;
  const std::size_t end = std::min(line.find('|', at), line.size());
  const std::string_view text = line.substr(at, end - at);
  for (std::string_view mark : {"Cippo", "Imb.Gall.", "Sb.Gall."}) {
    if (text.starts_with(mark)) return std::nullopt;
  }
  return Cell{text, at};
}

std::vector<SheetKilometre> Kilometres(const DocumentLines& sheet, std::size_t from) {
  std::vector<SheetKilometre> rows;
  for (std::size_t i = from; i < sheet.size(); ++i) {
    const std::string& line = sheet[i];
    if (!line.starts_with("  |")) continue;
    const auto figure = KilometreFigure(line);
    if (!figure) continue;
    const auto locality = LocalityAfter(line, figure->first + figure->second);
    if (!locality) continue;
    const Cell kilometres{std::string_view(line).substr(figure->first, figure->second),
                          figure->first};
    const WrittenValue written = Value(line, i, kilometres);
    rows.push_back({.name = Value(line, i, *locality),
                    .kilometres = written,
                    .metres = Metres(written.text).value_or(0)});
  }
  return rows;
}

// A whole number of at most `digits` digits from `at`, moving `at` past it.
std::optional<std::int32_t> Number(std::string_view text, std::size_t& at, std::size_t digits) {
  const std::size_t start = at;
  std::int32_t value = 0;
  while (at < text.size() && IsDigit(text[at]) && at - start < digits) {
    value = value * 10 + (text[at++] - '0');
  }
  if (at == start) return std::nullopt;
  return value;
}

}  // namespace

SheetFacts ReadSheet(const DocumentLines& sheet) {
  SheetFacts facts;
  std::size_t locality = 0, arrival = 0, departure = 0;
  for (std::size_t i = 0; i < sheet.size() && !facts.head_line; ++i) {
    const std::vector<Cell> cells = Cells(sheet[i]);
    const auto l = HeadColumn(cells, "Località");
    const auto a = HeadColumn(cells, "Arr");
    const auto d = HeadColumn(cells, "Part");
    if (!l || !a || !d) continue;
    facts.head_line = i;
    locality = *l, arrival = *a, departure = *d;
  }
  if (!facts.head_line) return facts;
  const std::size_t widest = std::max({locality, arrival, departure});
  std::size_t row = *facts.head_line + 1;
  for (; row < sheet.size(); ++row) {
    const std::vector<Cell> cells = Cells(sheet[row]);
    if (cells.size() <= widest) break;
    SheetStation station{.name = Value(sheet[row], row, cells[locality]),
                         .arrival = Value(sheet[row], row, cells[arrival]),
                         .departure = Value(sheet[row], row, cells[departure])};
    if (station.name.text.empty()) break;
    facts.stations.push_back(std::move(station));
  }
  facts.kilometres = Kilometres(sheet, row);
  return facts;
}

std::optional<std::int32_t> SheetTime(const std::string& text) {
  std::size_t at = 0;
  const auto hours = Number(text, at, 2);
  if (!hours || at == text.size() || text[at] != '.') return std::nullopt;
  const std::size_t minutes_at = ++at;
  const auto minutes = Number(text, at, 2);
  if (!minutes || at - minutes_at != 2 || *minutes >= 60) return std::nullopt;
  const std::string_view rest = std::string_view(text).substr(at);
  if (!rest.empty() && rest != "½") return std::nullopt;
  return *hours * 3600 + *minutes * 60 + (rest.empty() ? 0 : 30);
}

std::optional<std::int32_t> Metres(const std::string& text) {
  std::size_t at = text.starts_with('-') ? 1 : 0;
  const auto whole = Number(text, at, 6);
  if (!whole) return std::nullopt;
  std::int32_t metres = *whole * 1000;
  if (at < text.size() && text[at] == '.') {
    const std::size_t decimals = ++at;
    const auto fraction = Number(text, at, 3);
    if (!fraction) return std::nullopt;
    std::int32_t scale = 1;
    for (std::size_t i = at - decimals; i < 3; ++i) scale *= 10;
    metres += *fraction * scale;
  }
  if (at != text.size()) return std::nullopt;
  return text.starts_with('-') ? -metres : metres;
}

OrderFacts ReadOrder(const DocumentLines& order) {
  constexpr std::size_t kParts = 8;  // the blank before the first "|", six cells, after the last
  const auto is_row = [](const std::string& line) {
    return line.starts_with(" |") && Cells(line).size() == kParts;
  };
  const auto is_rule = [&](const std::string& line) {
    if (!is_row(line)) return false;
    const std::vector<Cell> cells = Cells(line);
    return std::all_of(cells.begin() + 1, cells.end() - 1, [](const Cell& cell) {
      return !cell.text.empty() && cell.text.find_first_not_of('_') == std::string_view::npos;
    });
  };
  OrderFacts facts;
  std::size_t i = 0;
  while (i < order.size() && !is_rule(order[i])) ++i;
  if (i == order.size()) return facts;
  facts.first_row = i + 2;
  OrderRestriction current;
  for (++i; i < order.size() && is_row(order[i]) && !is_rule(order[i]); ++i) {
    const std::vector<Cell> cells = Cells(order[i]);
    const WrittenValue number = Value(order[i], i, cells[1]);
    if (!number.text.empty()) {
      current = {};
      current.number = number;
    }
    const WrittenValue post = Value(order[i], i, cells[3]);
    const WrittenValue speed = Value(order[i], i, cells[4]);
    if (post.text.empty() && speed.text.empty()) continue;
    current.post = post;
    current.speed = speed;
    facts.restrictions.push_back(std::exchange(current, {}));
  }
  return facts;
}

}  // namespace tarvosa
