#include "documents/document.h"

#include <algorithm>

#include "util/files.h"
#include "util/windows1252.h"

namespace tarvosa {
namespace {

// `at` is "COLUMN: reason".
Status LineError(const std::string& name, std::size_t index, const std::string& at) {
  return Status::DataError(name + ":" + std::to_string(index + 1) + ":" + at);
}

}  // namespace

DocumentTable MakeDocumentTable(std::span<const std::string_view> lines) {
  DocumentTable table{};
  const std::size_t count = std::min(lines.size(), table.size());
  std::copy_n(lines.begin(), count, table.begin());
  if (count < table.size()) table[count] = kEndMarker;
  return table;
}

Status EncodeDocumentLine(std::string_view line, std::string& out) {
  const std::size_t start = out.size();
  if (Status encoded = EncodeWindows1252(line, out); !encoded.ok()) return encoded;
  // One byte a character, so the byte offset is the column.
  if (const auto at = out.find_first_of("\r\n", start); at != std::string::npos) {
    return Status::DataError(std::to_string(at - start + 1) + ": a line break inside a line");
  }
  return Status();
}

Status scrivi_documento(Os& os, const std::string& name, const DocumentTable& table) {
  std::string bytes;
  std::size_t index = 0;
  for (; index < table.size() && table[index] != kEndMarker; ++index) {
    if (Status encoded = EncodeDocumentLine(table[index], bytes); !encoded.ok()) {
      return LineError(name, index, encoded.message());
    }
    bytes += "\r\n";
  }
  if (index == table.size()) {
    return Status::DataError(name + ": the document has no end marker in its " +
                             std::to_string(table.size()) + " entries");
  }
  return ReplaceFileContent(os, name, bytes);
}

}  // namespace tarvosa
