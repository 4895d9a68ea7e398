#include "compiler/diagnostics.h"

#include <algorithm>
#include <tuple>

#include "util/text_position.h"

namespace tarvosa {

void Diagnostics::Record(DataError error, const SourceLocation& at, std::string detail,
                         std::optional<std::int32_t> position, const SourceLocation& holder) {
  error_.error = error;
  if (position) error_.position = *position;
  error_.at = at;
  error_.detail = std::move(detail);
  error_.holder = holder;
}

void Diagnostics::NoteOrigin(std::int64_t cell, const SourceLocation& at) {
  if (cell < 0) return;
  const auto index = static_cast<std::size_t>(cell);
  if (index >= origins_.size()) origins_.resize(index + 1);
  origins_[index] = at;
}

SourceLocation Diagnostics::OriginOf(std::int64_t cell) const {
  if (cell < 0 || static_cast<std::size_t>(cell) >= origins_.size()) return {};
  return origins_[static_cast<std::size_t>(cell)];
}

std::string Where(const SourceLocation& at, const SourceText& line, const SourceText& train,
                  TextPositions& in_line, TextPositions& in_train) {
  if (at.file == SourceLocation::File::kNone) return "";
  const bool in_line_file = at.file == SourceLocation::File::kLine;
  std::string where(in_line_file ? line.name : train.name);
  if (at.offset < 0) return where;
  const auto offset = static_cast<std::size_t>(at.offset);
  const TextPosition p = in_line_file ? in_line.Of(offset) : in_train.Of(offset);
  return where + ":" + std::to_string(p.line) + ":" + std::to_string(p.column);
}

std::string Where(const SourceLocation& at, const SourceText& line, const SourceText& train) {
  TextPositions in_line(line.bytes), in_train(train.bytes);
  return Where(at, line, train, in_line, in_train);
}

std::vector<std::string> WhereAll(const std::vector<SourceLocation>& places, const SourceText& line,
                                  const SourceText& train) {
  std::vector<std::size_t> order(places.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return std::tie(places[a].file, places[a].offset) < std::tie(places[b].file, places[b].offset);
  });
  TextPositions in_line(line.bytes), in_train(train.bytes);
  std::vector<std::string> wheres(places.size());
  for (const std::size_t i : order) wheres[i] = Where(places[i], line, train, in_line, in_train);
  return wheres;
}

std::string DescribeError(const Diagnostic& error, const SourceText& line,
                          const SourceText& train) {
  if (error.error == DataError::kNone) return "";
  std::string text = Where(error.at, line, train);
  if (!text.empty()) text += ": ";
  const std::int32_t code = NumberOf(error.error);
  if (error.error == DataError::kUnreadable && !error.detail.empty()) {
    text += "error " + std::to_string(code) + ": " + error.detail;
  } else {
    text += DataErrorText(code, error.position);
    if (!error.detail.empty()) text += ": " + error.detail;
  }
  if (error.holder.file != SourceLocation::File::kNone) {
    text += ", placed by " + Where(error.holder, line, train);
  }
  return text;
}

}  // namespace tarvosa
