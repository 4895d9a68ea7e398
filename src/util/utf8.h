// UTF-8 read a character at a time, and text made sure to be UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tarvosa {

// What stands where a text had something that cannot be shown as it is.
inline constexpr char32_t kReplacementCharacter = U'\uFFFD';

// The character at `text[at]` and its length in bytes; nothing when the
// bytes there are no well-formed UTF-8 (a stray or missing continuation
// byte, an overlong form, a surrogate, past U+10FFFF).
std::optional<std::pair<char32_t, std::size_t>> DecodeUtf8(std::string_view text, std::size_t at);

// Appends the UTF-8 bytes of `c`, a character (no surrogate, at most
// U+10FFFF).
void AppendUtf8(char32_t c, std::string& out);

// `text` with every byte that belongs to no well-formed character
// replaced by U+FFFD, one for each such byte: what any text becomes before
// it goes where only UTF-8 may stand.
std::string ValidUtf8(std::string_view text);

}  // namespace tarvosa
