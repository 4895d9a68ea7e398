// The records the readers read, as written: each keyword with the values
// read after it and where each begins. The railway checks judge these.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "compiler/diagnostics.h"

namespace tarvosa {

// One value of a record: a number, or a text (a station name, a board text).
struct RecordValue {
  std::int64_t offset = -1;  // where the field begins
  std::int64_t number = 0;
  std::string_view text;  // for a text field; views the file's bytes
  bool is_text = false;
};

// A record that matched a keyword. A record cut short by an error holds
// only the values read before it.
struct SourceRecord {
  SourceLocation keyword;
  std::string_view name;  // the keyword field as written
  std::vector<RecordValue> values;
};

using SourceRecords = std::vector<SourceRecord>;

}  // namespace tarvosa
