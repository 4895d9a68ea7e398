#include "documents/author_lines.h"

#include <optional>

#include "util/utf8.h"
#include "util/windows1252.h"

namespace tarvosa {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Whether the bytes read as UTF-8 and hold a character of more than one
// byte: an editor saved them so. Windows-1252 text beyond ASCII almost
// never reads as UTF-8, and ASCII is the same in both.
bool IsUtf8(std::string_view bytes) {
  bool multi_byte = false;
  for (std::size_t at = 0; at < bytes.size();) {
    const auto decoded = DecodeUtf8(bytes, at);
    if (!decoded) return false;
    multi_byte = multi_byte || decoded->second > 1;
    at += decoded->second;
  }
  return multi_byte;
}

// One line's text in UTF-8: as it stands, or decoded from Windows-1252. A
// UTF-8 line must have a Windows-1252 byte for every character, as the
// installer writes it in Windows-1252.
Status LineText(std::string_view bytes, bool utf8, std::string& line) {
  if (!utf8) return DecodeWindows1252(bytes, line);
  std::string encoded;
  if (Status fits = EncodeWindows1252(bytes, encoded); !fits.ok()) {
    return Status::DataError(fits.message() + " (the file is read as UTF-8)");
  }
  line.assign(bytes);
  return Status();
}

}  // namespace

Status ReadAuthorLines(const std::string& name, std::string_view bytes, DocumentLines& lines) {
  lines.clear();
  const bool utf8 = IsUtf8(bytes);
  if (utf8 && bytes.starts_with(kUtf8ByteOrderMark)) bytes.remove_prefix(kUtf8ByteOrderMark.size());
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string& line = lines.emplace_back();
    if (Status read = LineText(bytes.substr(start, end - start), utf8, line); !read.ok()) {
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
    // Every line read has a Windows-1252 byte for each of its characters.
    (void)EncodeWindows1252(line, bytes);
    bytes += "\r\n";
  }
  return bytes;
}

}  // namespace tarvosa
