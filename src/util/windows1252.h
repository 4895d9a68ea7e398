// Text is held as UTF-8 and written in Windows-1252, one byte a character.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarvosa {

// Why a text could not be encoded, and where: `column` counts characters
// from 1.
struct EncodingError {
  std::size_t column = 0;
  std::string reason;
};

// Appends the Windows-1252 bytes of `utf8` to `out`. A character that has no
// Windows-1252 byte, or bytes that are not UTF-8, are an error: nothing is
// ever replaced by a stand-in character.
std::optional<EncodingError> AppendWindows1252(std::string_view utf8, std::string& out);

// The UTF-8 text of Windows-1252 bytes, for showing them; a byte that holds
// no character becomes U+FFFD.
std::string Windows1252ToUtf8(std::string_view bytes);

// Appends the UTF-8 text of Windows-1252 bytes to `utf8`, so that
// AppendWindows1252 gives the same bytes back. A byte that holds no
// character (81, 8D, 8F, 90, 9D) is an error: it could not be written back.
std::optional<EncodingError> AppendUtf8FromWindows1252(std::string_view bytes, std::string& utf8);

}  // namespace tarvosa
