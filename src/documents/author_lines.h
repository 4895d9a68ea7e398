// An author's text file as the lines of a document.
#pragma once

#include <string>
#include <string_view>

#include "documents/scenario_documents.h"
#include "util/status.h"

namespace tarvosa {

// The lines of the Windows-1252 bytes `bytes` of the file `name`, in UTF-8.
// A line ends at CR LF, or at a lone LF or CR, as the compiler reads the
// files; a last line without a line end is a line all the same, and an
// empty file has none. Written with scrivi_documento, the lines give the
// same bytes with every line end CR LF, the last line's too. A byte that
// holds no Windows-1252 character is a data error at its line and column.
Status ReadAuthorLines(const std::string& name, std::string_view bytes, DocumentLines& lines);

// The bytes scrivi_documento writes for lines ReadAuthorLines gave: each
// line in Windows-1252 followed by CR LF.
std::string InstalledBytes(const DocumentLines& lines);

}  // namespace tarvosa
