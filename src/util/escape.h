// Every text that comes from a scenario, a file name or a payload is
// escaped for the place it goes, by the one function for that place. Each
// takes any bytes and gives UTF-8: a byte that belongs to no well-formed
// character never goes through as it is.
#pragma once

#include <string>
#include <string_view>

namespace tarvosa {

// HTML text, or an attribute value in quotes of either kind: & < > " ' as
// character references; bytes that are no UTF-8 as U+FFFD.
std::string EscapeHtml(std::string_view text);

// JSON text put inside a <script> element: < > & and U+2028, U+2029 as the
// \u escapes JSON reads as the same characters, so that neither "</script>"
// nor "<!--" can stand in it. `json` is JSON text (in UTF-8): outside its
// strings none of these appear.
std::string EscapeJsonInScript(std::string_view json);

// XML 1.0 text, or an attribute value in double quotes: & < > " as
// references, and tab, LF and CR as character references, which an
// attribute keeps. Every character XML 1.0 does not allow (controls other
// than those three, U+FFFE, U+FFFF) and every byte that is no UTF-8 (a lone
// surrogate among them) becomes U+FFFD, which shows where it stood.
std::string EscapeXml(std::string_view text);

// For a terminal: every control character (C0 with tab, LF and CR, DEL and
// C1) as "\u001b", its code point, and every byte that is no UTF-8 as
// "\xff", its value; all else as it is. The \u form is JSON's own, so JSON
// text that holds no byte of another encoding stays JSON.
std::string EscapeTerminal(std::string_view text);

// The same for a text of several lines: its line feeds stay.
std::string EscapeTerminalLines(std::string_view text);

// A word for a POSIX shell, in single quotes (each ' as '\''): the shell
// reads back the very text, whatever it holds.
std::string EscapeShellWord(std::string_view word);

// A file name as a segment of a relative URL's path: every byte but ASCII
// letters, digits and - . _ ~ as %XX, so that no name reads as a scheme, a
// query or another directory.
std::string EscapeUrlPathSegment(std::string_view name);

}  // namespace tarvosa
