#include "compiler/field_reader.h"

#include <algorithm>

namespace tarvosa {
namespace {

constexpr std::size_t kLongestText = 0xFFFF;  // what a name's 16-bit length can tell

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

bool FieldReader::AtLineEnd() const {
  return bytes_[at_] == '\r' || bytes_[at_] == '\n';
}

void FieldReader::SkipLineEnd() {
  if (bytes_[at_] == '\r' && at_ + 1 < bytes_.size() && bytes_[at_ + 1] == '\n') ++at_;
  ++at_;
}

void FieldReader::StartField() {
  if (AtEnd()) throw RuntimeFailure("a read past the end of the file");
  while (!AtEnd() && (bytes_[at_] == ' ' || AtLineEnd())) ++at_;
  if (location_ != nullptr) *location_ = {file_, static_cast<std::int64_t>(at_)};
}

std::string FieldReader::ReadText() {
  StartField();
  if (AtEnd()) return "";
  if (bytes_[at_] == '"') throw RuntimeFailure("a text in double quotes");
  const std::size_t start = at_;
  while (!AtEnd() && bytes_[at_] != ',' && !AtLineEnd()) ++at_;
  if (at_ - start > kLongestText) throw RuntimeFailure("a text longer than 65535 characters");
  std::string text = bytes_.substr(start, at_ - start);
  if (!AtEnd()) {
    if (bytes_[at_] == ',') {
      ++at_;
    } else {
      SkipLineEnd();
    }
  }
  return text;
}

std::int64_t FieldReader::ReadNumber(std::int64_t lowest, std::int64_t highest) {
  StartField();
  if (AtEnd()) return 0;
  const std::size_t start = at_;
  while (!AtEnd() && bytes_[at_] != ',' && bytes_[at_] != ' ' && !AtLineEnd()) ++at_;
  const std::string_view token(bytes_.data() + start, at_ - start);
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
    throw RuntimeFailure("a field that is not a whole number");
  }
  std::int64_t value = 0;
  for (const char digit : digits) {
    value = value * 10 + (digit - '0');
    if (value > highest + 1) throw RuntimeFailure("a number too large for its place");
  }
  if (negative) value = -value;
  if (value < lowest || value > highest) throw RuntimeFailure("a number too large for its place");
  return value;
}

bool ReadKeyword(FieldReader& in, std::string& field) {
  if (in.AtEnd()) return false;
  field = in.ReadText();
  for (int skipped = 0; !in.AtEnd() && skipped < 2 && Contains(field, "-"); ++skipped) {
    field = in.ReadText();
  }
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

}  // namespace tarvosa
