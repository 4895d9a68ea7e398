// An author's text file as the lines of a document.
#pragma once

#include <string>
#include <string_view>

#include "documents/scenario_documents.h"
#include "util/status.h"

namespace tarvosa {

// The lines of the bytes `bytes` of the file `name`, in UTF-8. Bytes that
// read as UTF-8 and hold a character of more than one byte are taken as
// UTF-8 (a byte-order mark before them is dropped); any others as
// Windows-1252. A line ends at CR LF, or at a lone LF or CR, as the
// compiler reads the files; a last line without a line end is a line all
// the same, and an empty file has none. Written with scrivi_documento, the
// lines give the same bytes in Windows-1252 with every line end CR LF, the
// last line's too. A Windows-1252 byte that holds no character, or a UTF-8
// character with no Windows-1252 byte, is a data error at its line and
// column.
Status ReadAuthorLines(const std::string& name, std::string_view bytes, DocumentLines& lines);

// The bytes scrivi_documento writes for lines ReadAuthorLines gave: each
// line in Windows-1252 followed by CR LF.
std::string InstalledBytes(const DocumentLines& lines);

}  // namespace tarvosa
