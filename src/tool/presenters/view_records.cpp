#include "tool/presenters/view_records.h"

#include <algorithm>
#include <cctype>

namespace tarvosa::tool {

std::int64_t LineStartAt(std::string_view bytes, std::int64_t offset) {
  if (offset <= 0 || static_cast<std::size_t>(offset) >= bytes.size()) return 0;
  const std::size_t start = bytes.find_last_of("\r\n", static_cast<std::size_t>(offset) - 1);
  return start == std::string_view::npos ? 0 : static_cast<std::int64_t>(start) + 1;
}

std::string_view LineAt(std::string_view bytes, std::int64_t offset) {
  if (offset < 0 || static_cast<std::size_t>(offset) >= bytes.size()) return {};
  const auto from = static_cast<std::size_t>(LineStartAt(bytes, offset));
  const std::size_t end =
      std::min(bytes.find_first_of("\r\n", static_cast<std::size_t>(offset)), bytes.size());
  return bytes.substr(from, end - from);
}

std::optional<std::int64_t> ProgressiveOf(std::string_view line) {
  const std::size_t comma = line.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  std::string_view field = line.substr(comma + 1, line.find(',', comma + 1) - comma - 1);
  while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
  std::int64_t value = 0;
  bool negative = !field.empty() && field.front() == '-', digits = false;
  for (std::size_t i = negative ? 1 : 0; i < field.size() && std::isdigit(field[i]); ++i) {
    value = value * 10 + (field[i] - '0'), digits = true;
    if (value > 100000000) return std::nullopt;
  }
  if (!digits) return std::nullopt;
  return negative ? -value : value;
}

std::vector<StationRecord> StationRecords(std::string_view train) {
  std::vector<StationRecord> records;
  for (std::size_t from = 0; from < train.size();) {
    std::size_t end = train.find_first_of("\r\n", from);
    if (end == std::string_view::npos) end = train.size();
    const std::string_view line = train.substr(from, end - from);
    std::size_t key = line.find_first_not_of(" \t");
    if (key != std::string_view::npos && line.substr(key).starts_with("stazione") &&
        line.find(',') != std::string_view::npos) {
      const std::size_t field = line.find_first_not_of(' ', line.find(',') + 1);
      if (const auto p = ProgressiveOf(line); p && field != std::string_view::npos) {
        records.push_back({static_cast<std::int64_t>(from + field), *p});
      }
    }
    from = end + 1;
  }
  return records;
}

}  // namespace tarvosa::tool
