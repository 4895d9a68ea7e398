#include "compiler/internal/field_reader.h"

#include <algorithm>

#include "compiler/internal/lint.h"
#include "util/windows1252.h"

namespace tarvosa {
namespace {

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A decimal point between digits: "12.5", "-0.25".
bool IsDecimal(std::string_view token) {
  if (!token.empty() && token.front() == '-') token.remove_prefix(1);
  const std::size_t point = token.find('.');
  if (point == std::string_view::npos || point == 0 || point + 1 == token.size()) return false;
  return std::count(token.begin(), token.end(), '.') == 1 &&
         std::all_of(token.begin(), token.end(), [](char c) { return c == '.' || IsDigit(c); });
}

bool IsWholeNumber(std::string_view token) {
  if (!token.empty() && token.front() == '-') token.remove_prefix(1);
  return !token.empty() && std::all_of(token.begin(), token.end(), IsDigit);
}

// What may part the words of a keyword field: blanks, and what looks like
// them, tabs and no-break spaces.
constexpr std::string_view kSpacing = " \t\xA0";

// The first number of a keyword field that holds its values after blanks
// (or tabs) instead of commas ("segnale    9200", "segnale  6200  2 4"), or
// "": the words before it make the keyword, and only numbers follow it.
std::string_view NumberInKeyword(std::string_view field) {
  std::string_view first_number;
  bool words = false;
  for (std::size_t at = 0; at < field.size();) {
    const std::size_t start = field.find_first_not_of(kSpacing, at);
    if (start == std::string_view::npos) break;
    const std::size_t end = std::min(field.find_first_of(kSpacing, start), field.size());
    const std::string_view token = field.substr(start, end - start);
    if (!IsWholeNumber(token)) {
      if (!first_number.empty()) return {};  // a word after the numbers
      words = true;
    } else if (first_number.empty() && words) {
      first_number = token;
    }
    at = end;
  }
  return first_number;
}

// Why a number field holding a tab or a no-break space (`invisible`, "a
// tab") is no number: in its midst it stands where a comma was due; at
// either end, where only blanks may stand.
std::string UnseenInNumber(std::string_view invisible, std::string_view what,
                           std::string_view token) {
  const std::string found = ": found " + Quoted(token);
  const std::size_t first = token.find_first_not_of(kSpacing);
  if (first == std::string_view::npos) {
    return std::string(invisible) + " where " + std::string(what) + " was expected" + found;
  }
  const std::size_t last = token.find_last_not_of(kSpacing);
  const std::string_view inner = token.substr(first, last - first + 1);
  if (inner.find_first_of(kSpacing) != std::string_view::npos) {
    return std::string(invisible) + " where a comma was expected, in " + std::string(what) + found;
  }
  return std::string(invisible) + (first > 0 ? " before " : " after ") + std::string(what) +
         ", where only blanks may stand" + found;
}

}  // namespace

bool FieldReader::AtLineEnd() const {
  return bytes_[at_] == '\r' || bytes_[at_] == '\n';
}

void FieldReader::SkipLineEnd() {
  line_end_after_ = at_;
  if (bytes_[at_] == '\r' && at_ + 1 < bytes_.size() && bytes_[at_ + 1] == '\n') ++at_;
  ++at_;
}

void FieldReader::SkipLineOf(std::int64_t anchor) {
  const std::size_t from = anchor < 0 ? field_start_ : static_cast<std::size_t>(anchor);
  at_ = std::min(bytes_.find_first_of("\r\n", std::min(from, bytes_.size())), bytes_.size());
  if (!AtEnd()) SkipLineEnd();
}

void FieldReader::StartField(std::string_view what) {
  if (AtEnd()) {
    if (bytes_.empty()) throw RuntimeFailure("the file is empty", -1);
    // The fault is where the last line with something on it ends.
    const std::size_t last = bytes_.find_last_not_of(" \r\n");
    throw RuntimeFailure("the file ends where " + std::string(what) + " is due",
                         last == std::string_view::npos ? 0 : static_cast<std::int64_t>(last + 1));
  }
  line_end_before_ = line_end_after_;
  line_end_after_ = std::string_view::npos;
  while (!AtEnd() && (bytes_[at_] == ' ' || AtLineEnd())) {
    if (AtLineEnd() && line_end_before_ == std::string_view::npos) line_end_before_ = at_;
    ++at_;
  }
  field_start_ = at_;
}

std::string_view FieldReader::ReadText(std::string_view what) {
  StartField(what);
  if (AtEnd()) return {};
  if (bytes_[at_] == '"') {
    throw RuntimeFailure(
        "a text in double quotes, which is not read: write " + std::string(what) + " without them",
        field_start());
  }
  const std::size_t start = at_;
  while (!AtEnd() && bytes_[at_] != ',' && !AtLineEnd()) ++at_;
  const std::string_view text = bytes_.substr(start, at_ - start);
  if (!AtEnd()) {
    if (bytes_[at_] == ',') {
      ++at_;
    } else {
      SkipLineEnd();
    }
  }
  if (keep_) kept_.push_back({field_start(), 0, text, true});
  return text;
}

void FieldReader::NotANumber(std::string_view what, std::string_view token) const {
  if (line_end_before_ != std::string_view::npos) {
    // A CR with no LF after it ends a line, though many editors show none.
    const std::size_t after = bytes_.find_first_not_of('\r', line_end_before_);
    const bool lone_cr = bytes_[line_end_before_] == '\r' &&
                         (after == std::string_view::npos || bytes_[after] != '\n');
    throw RuntimeFailure(
        std::string(lone_cr ? "a CR with no LF after it ends the line" : "the line ends") +
            " before " + std::string(what) + ": the next field, " + Quoted(token) +
            ", is not a number",
        static_cast<std::int64_t>(line_end_before_));
  }
  if (const std::string_view invisible = InvisibleIn(token); !invisible.empty()) {
    throw RuntimeFailure(UnseenInNumber(invisible, what, token), field_start());
  }
  if (IsDecimal(token)) {
    throw RuntimeFailure(
        "a decimal point in a whole number: " + std::string(what) + " is " + Quoted(token),
        field_start());
  }
  throw RuntimeFailure(
      "a number was expected for " + std::string(what) + ", found " + Quoted(token), field_start());
}

std::int64_t FieldReader::ReadNumber(std::string_view what, std::int64_t lowest,
                                     std::int64_t highest) {
  const std::int64_t value = ParseNumber(what, lowest, highest);
  if (keep_) kept_.push_back({field_start(), value, {}, false});
  return value;
}

std::int64_t FieldReader::ParseNumber(std::string_view what, std::int64_t lowest,
                                      std::int64_t highest) {
  StartField(what);
  if (AtEnd()) return 0;
  const std::size_t start = at_;
  while (!AtEnd() && bytes_[at_] != ',' && bytes_[at_] != ' ' && !AtLineEnd()) ++at_;
  const std::string_view token = bytes_.substr(start, at_ - start);
  while (!AtEnd() && bytes_[at_] == ' ') ++at_;
  if (!AtEnd()) {
    if (bytes_[at_] == ',') {
      ++at_;
    } else if (AtLineEnd()) {
      SkipLineEnd();
    }
  }
  if (token.empty()) return 0;

  const bool negative = token.front() == '-';
  const std::string_view digits = negative ? token.substr(1) : token;
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), IsDigit)) {
    NotANumber(what, token);
  }
  std::int64_t value = 0;
  bool fits = true;
  for (const char digit : digits) {
    value = value * 10 + (digit - '0');
    if (value > highest + 1) {
      fits = false;
      break;
    }
  }
  if (negative) value = -value;
  if (!fits || value < lowest || value > highest) {
    throw RuntimeFailure(std::string(token) + " does not fit " + std::string(what) + " (" +
                             std::to_string(lowest) + " to " + std::to_string(highest) + ")",
                         field_start());
  }
  return value;
}

bool ReadKeyword(FieldReader& in, SourceLocation::File file, ReaderScratch& scratch,
                 Diagnostics& diagnostics) {
  if (in.AtEnd()) return false;
  scratch.keyword = {};  // a failure from here on belongs to no record
  std::string_view field = in.ReadText("a keyword");
  for (int skipped = 0; !in.AtEnd() && skipped < 2 && Contains(field, "-"); ++skipped) {
    lint::PassedOver(diagnostics, {file, in.field_start()}, field, scratch.previous_station);
    field = in.ReadText("a keyword");
  }
  scratch.previous_station = {};
  scratch.current_field = field;
  scratch.keyword = {file, in.field_start()};
  scratch.keyword_starts_line = in.StartsLine();
  in.kept().clear();
  return !in.AtEnd();
}

bool Contains(std::string_view field, std::string_view keyword) {
  const auto same = [](char a, char b) { return Lower(a) == Lower(b); };
  return std::search(field.begin(), field.end(), keyword.begin(), keyword.end(), same) !=
         field.end();
}

bool ContainsExact(std::string_view field, std::string_view keyword) {
  return field.find(keyword) != std::string_view::npos;
}

void RecordReadFailure(const RuntimeFailure& failure, SourceLocation::File file,
                       const ReaderScratch& scratch, Diagnostics& diagnostics) {
  const std::string_view keyword = scratch.current_field;
  const std::string_view number = NumberInKeyword(keyword);
  const bool inside_the_record =
      scratch.keyword.file == file && failure.offset() > scratch.keyword.offset;
  if (inside_the_record && !number.empty()) {
    const auto number_at = static_cast<std::size_t>(number.data() - keyword.data());
    const std::size_t word_end = keyword.find_last_not_of(kSpacing, number_at - 1) + 1;
    const std::string_view word = keyword.substr(0, word_end);
    // Blanks look like what they are; a tab or a no-break space is named.
    const std::string_view invisible = InvisibleIn(keyword.substr(word_end, number_at - word_end));
    const std::string between = "between " + Quoted(word) + " and " + Quoted(number);
    const std::int64_t at = scratch.keyword.offset + static_cast<std::int64_t>(number_at);
    diagnostics.Record(DataError::kUnreadable, {file, at},
                       invisible.empty()
                           ? "a comma is missing " + between
                           : std::string(invisible) + " where a comma was expected, " + between);
    return;
  }
  diagnostics.Record(DataError::kUnreadable, {file, failure.offset()}, failure.what());
}

}  // namespace tarvosa
