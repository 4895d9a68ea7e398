#include "documents/author_lines.h"

#include "util/windows1252.h"

namespace tarvosa {

Status ReadAuthorLines(const std::string& name, std::string_view bytes, DocumentLines& lines) {
  lines.clear();
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string& line = lines.emplace_back();
    if (Status read = DecodeWindows1252(bytes.substr(start, end - start), line); !read.ok()) {
      return Status::DataError(name + ":" + std::to_string(lines.size()) + ":" + read.message());
    }
    const bool crlf = bytes.substr(end, 2) == "\r\n";
    start = end + (crlf ? 2 : 1);
  }
  return Status();
}

std::string InstalledBytes(const DocumentLines& lines) {
  std::string bytes;
  for (const std::string& line : lines) {
    // Text read from Windows-1252 has a byte for every character.
    (void)EncodeWindows1252(line, bytes);
    bytes += "\r\n";
  }
  return bytes;
}

}  // namespace tarvosa
