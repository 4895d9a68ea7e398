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
  error_.record = record;
  error_.follows = {};
  // An error at a record already in error, or at a cell taken by one, may
  // come of that error.
  for (const SourceLocation& earlier : {at, holder}) {
    if (const Diagnostic* before = ErrorOfRecord(earlier);
        before && error_.follows.file == SourceLocation::File::kNone) {
      error_.follows = before->at;
    }
  }
  ++error_count_;
  if (errors_.size() < kKeptErrors) errors_.push_back(error_);
}

void Diagnostics::MovePosition(std::int32_t position) {
  error_.position = position;
  // The list keeps each error's own position, but for the record stopped on.
  if (!errors_.empty() && errors_.back().record == record) errors_.back().position = position;
}

const Diagnostic* Diagnostics::ErrorOfRecord(const SourceLocation& r) const {
  if (r.file == SourceLocation::File::kNone) return nullptr;
  for (const Diagnostic& e : errors_) {
    if (e.record == r) return &e;
  }
  return nullptr;
}

void Diagnostics::MarkFollows(const SourceLocation& earlier) {
  error_.follows = earlier;
  if (!errors_.empty()) errors_.back().follows = earlier;
}

void Diagnostics::TakeMessagesOf(Diagnostics&& pass) {
  errors_ = std::move(pass.errors_);
  error_count_ = pass.error_count_;
  warnings_ = std::move(pass.warnings_);
  count_ = pass.count_;
  mistakes_ = pass.mistakes_;
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
  return DescribeErrorAt(error, Where(error.at, line, train), Where(error.holder, line, train));
}

std::string DescribeErrorAt(const Diagnostic& error, std::string_view where,
                            std::string_view holder_where) {
  if (error.error == DataError::kNone) return "";
  std::string text(where);
  if (!text.empty()) text += ": ";
  const std::int32_t code = NumberOf(error.error);
  if (error.error == DataError::kUnreadable && !error.detail.empty()) {
    text += "error " + std::to_string(code) + ": " + error.detail;
  } else {
    text += DataErrorText(code, error.position);
    if (!error.detail.empty()) text += ": " + error.detail;
  }
  if (error.holder.file != SourceLocation::File::kNone) {
    text += ", placed by ";
    text += holder_where;
  }
  return text;
}

}  // namespace tarvosa
