// The records of the two text files as the view shows them: the line that
// holds a place, the progressive a record gives, and where the stations'
// records stand.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tarvosa::tool {

// The line of `bytes` that holds `offset`, and where it starts.
std::string_view LineAt(std::string_view bytes, std::int64_t offset);
std::int64_t LineStartAt(std::string_view bytes, std::int64_t offset);

// The progressive a record's line gives in its second field, if any.
std::optional<std::int64_t> ProgressiveOf(std::string_view line);

// A station record of the train file: where its progressive field begins,
// and the progressive.
struct StationRecord {
  std::int64_t offset;
  std::int64_t progressive;
};
std::vector<StationRecord> StationRecords(std::string_view train);

}  // namespace tarvosa::tool
