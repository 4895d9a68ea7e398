#include "tool/source_messages.h"

#include <algorithm>
#include <numeric>
#include <tuple>

#include "tool/presenters/view_records.h"
#include "util/windows1252.h"

namespace tarvosa::tool {
namespace {

// How much of a long line is quoted: enough for any record as written.
constexpr std::size_t kQuotedBytes = 160;

}  // namespace

std::string QuotedLine(std::string_view bytes, std::int64_t offset) {
  if (offset < 0) return "";
  if (static_cast<std::size_t>(offset) >= bytes.size()) {
    // A fault at the very end of a file stands on its last line.
    const std::size_t last = bytes.find_last_not_of("\r\n");
    if (last == std::string_view::npos) return "";
    return QuotedLine(bytes, static_cast<std::int64_t>(last));
  }
  const std::int64_t start = LineStartAt(bytes, offset);
  const std::string_view text = LineAt(bytes, offset);
  std::string quoted = "    ";
  if (text.size() > kQuotedBytes) {
    const auto column = static_cast<std::size_t>(offset - start);
    const std::size_t from = column > kQuotedBytes / 2 ? column - kQuotedBytes / 2 : 0;
    const bool cut_after = from + kQuotedBytes < text.size();
    if (from > 0) quoted += "...";
    quoted += Windows1252ToUtf8(text.substr(from, kQuotedBytes));
    if (cut_after) quoted += "...";
    return quoted;
  }
  return quoted + Windows1252ToUtf8(text);
}

std::vector<std::string> ErrorMessages(const Diagnostics& diagnostics, const SourceText& line,
                                       const SourceText& train) {
  const std::vector<Diagnostic>& errors = diagnostics.errors();
  // Every place named, found in one pass over each file.
  std::vector<SourceLocation> places;
  for (const Diagnostic& e : errors) {
    places.insert(places.end(), {e.at, e.holder, e.follows});
  }
  const std::vector<std::string> wheres = WhereAll(places, line, train);
  std::vector<std::size_t> order(errors.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return std::tie(errors[a].at.file, errors[a].at.offset) <
           std::tie(errors[b].at.file, errors[b].at.offset);
  });
  std::vector<std::string> messages;
  for (const std::size_t i : order) {
    const Diagnostic& e = errors[i];
    std::string text = DescribeErrorAt(e, wheres[3 * i], wheres[3 * i + 1]);
    if (e.follows.file != SourceLocation::File::kNone) {
      text += " (may follow from the error at " + wheres[3 * i + 2] + ")";
    }
    const bool in_line = e.at.file == SourceLocation::File::kLine;
    const std::string quoted = QuotedLine(in_line ? line.bytes : train.bytes, e.at.offset);
    if (!quoted.empty()) text += "\n" + quoted;
    messages.push_back(std::move(text));
  }
  return messages;
}

std::string ErrorCount(const Diagnostics& diagnostics) {
  const std::size_t count = diagnostics.error_count();
  std::string text = std::to_string(count) + (count == 1 ? " error" : " errors");
  if (count > diagnostics.errors().size()) {
    text += ", the first " + std::to_string(diagnostics.errors().size()) + " shown";
  }
  return text;
}

}  // namespace tarvosa::tool
