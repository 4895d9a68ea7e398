#include "compiler/diagnostics.h"

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

std::string Where(const SourceLocation& at, const SourceText& line, const SourceText& train) {
  if (at.file == SourceLocation::File::kNone) return "";
  const SourceText& text = at.file == SourceLocation::File::kLine ? line : train;
  std::string where(text.name);
  if (at.offset < 0) return where;
  const TextPosition p = PositionOf(text.bytes, static_cast<std::size_t>(at.offset));
  return where + ":" + std::to_string(p.line) + ":" + std::to_string(p.column);
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
