// A text document as its writer holds it, and the one way every document is
// written.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "util/os.h"
#include "util/status.h"

namespace tarvosa {

// The entry that follows a document's last line; it is never written.
inline constexpr std::string_view kEndMarker = "riferimento fine del file";

// A document's lines in file order, entry 0 first, then the end marker;
// entries after the marker are never read. A document has at most 1000 lines.
inline constexpr std::size_t kDocumentTableSize = 1001;
using DocumentTable = std::array<std::string_view, kDocumentTableSize>;

// A table holding `lines` and the end marker after them. With more than
// 1000 lines there is no room for the marker and writing the table fails.
DocumentTable MakeDocumentTable(std::span<const std::string_view> lines);

// Appends the bytes of `line` as a document holds it, without its line end:
// its Windows-1252 bytes. Bytes that are not UTF-8, a character with no
// Windows-1252 byte, or a line break (CR or LF) inside it fail it with
// "COLUMN: reason", the column counting characters from 1.
Status EncodeDocumentLine(std::string_view line, std::string& out);

// Replaces the file `name` with every entry before the end marker, each
// followed by CR LF (the last one too), unchanged and in Windows-1252. An
// entry that cannot be written that way fails the whole document before the
// file is touched; the message names the file and the line.
Status scrivi_documento(Os& os, const std::string& name, const DocumentTable& table);

}  // namespace tarvosa
