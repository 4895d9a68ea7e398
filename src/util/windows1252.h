// Text is held as UTF-8 and written in Windows-1252, one byte a character.
#pragma once

#include <string>
#include <string_view>

#include "util/status.h"

namespace tarvosa {

// Appends the Windows-1252 bytes of `utf8` to `out`. A character that has no
// Windows-1252 byte, or bytes that are not UTF-8, are a data error: nothing
// is ever replaced by a stand-in character. Its message is "COLUMN: reason",
// the column counting characters from 1, for the caller to put after the
// file and line.
Status EncodeWindows1252(std::string_view utf8, std::string& out);

// The UTF-8 text of Windows-1252 bytes, for showing them; a byte that holds
// no character becomes U+FFFD.
std::string Windows1252ToUtf8(std::string_view bytes);

// Appends the UTF-8 text of Windows-1252 bytes to `utf8`, so that
// EncodeWindows1252 gives the same bytes back. A byte that holds no
// character (81, 8D, 8F, 90, 9D) is a data error, "COLUMN: reason" with the
// byte's column from 1: it could not be written back.
Status DecodeWindows1252(std::string_view bytes, std::string& utf8);

}  // namespace tarvosa
