#include "util/escape.h"

#include <algorithm>
#include <cstdio>
#include <span>

#include "util/utf8.h"

namespace tarvosa {
namespace {

// A character and what stands for it in one place.
struct Reference {
  char32_t character;
  std::string_view text;
};

constexpr Reference kHtmlReferences[] = {
    {'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}, {'\'', "&#39;"}};
constexpr Reference kXmlReferences[] = {{'&', "&amp;"},  {'<', "&lt;"},  {'>', "&gt;"},
                                        {'"', "&quot;"}, {'\t', "&#9;"}, {'\n', "&#10;"},
                                        {'\r', "&#13;"}};
constexpr Reference kScriptJsonEscapes[] = {{'<', "\\u003c"},
                                            {'>', "\\u003e"},
                                            {'&', "\\u0026"},
                                            {U'\u2028', "\\u2028"},
                                            {U'\u2029', "\\u2029"}};

// Calls `character(c, bytes)` for every well-formed character of `text`,
// and `stray(byte)` for every byte that belongs to none.
template <typename Character, typename Stray>
void ForEachCharacter(std::string_view text, Character character, Stray stray) {
  for (std::size_t at = 0; at < text.size();) {
    if (const auto decoded = DecodeUtf8(text, at)) {
      character(decoded->first, text.substr(at, decoded->second));
      at += decoded->second;
    } else {
      stray(static_cast<unsigned char>(text[at]));
      ++at;
    }
  }
}

bool Anything(char32_t) {
  return true;
}

// Whether XML 1.0 allows `c` in a document (tab, LF and CR have references).
bool XmlAllows(char32_t c) {
  return c >= 0x20 && c != 0xFFFE && c != 0xFFFF;
}

// `text` with each character of `references` replaced by its text, and
// every character `allowed` refuses and every stray byte by U+FFFD.
std::string Referenced(std::string_view text, std::span<const Reference> references,
                       bool (*allowed)(char32_t)) {
  std::string out;
  out.reserve(text.size());
  ForEachCharacter(
      text,
      [&](char32_t c, std::string_view bytes) {
        const auto reference = std::ranges::find(references, c, &Reference::character);
        if (reference != references.end()) {
          out += reference->text;
        } else if (allowed(c)) {
          out += bytes;
        } else {
          AppendUtf8(kReplacementCharacter, out);
        }
      },
      [&](unsigned char) { AppendUtf8(kReplacementCharacter, out); });
  return out;
}

// `value` written by `format`, a printf format of one unsigned number.
std::string Formatted(const char* format, unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

bool IsControl(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

bool IsUnreserved(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

}  // namespace

std::string EscapeHtml(std::string_view text) {
  return Referenced(text, kHtmlReferences, Anything);
}

std::string EscapeJsonInScript(std::string_view json) {
  return Referenced(json, kScriptJsonEscapes, Anything);
}

std::string EscapeXml(std::string_view text) {
  return Referenced(text, kXmlReferences, XmlAllows);
}

std::string EscapeTerminal(std::string_view text) {
  std::string out;
  ForEachCharacter(
      text,
      [&](char32_t c, std::string_view bytes) {
        out += IsControl(c) ? Formatted("\\u%04x", c) : std::string(bytes);
      },
      [&](unsigned char byte) { out += Formatted("\\x%02x", byte); });
  return out;
}

std::string EscapeTerminalLines(std::string_view text) {
  std::string out;
  for (std::size_t from = 0;;) {
    const std::size_t end = text.find('\n', from);
    out += EscapeTerminal(text.substr(from, end - from));
    if (end == std::string_view::npos) return out;
    out += '\n';
    from = end + 1;
  }
}

std::string EscapeShellWord(std::string_view word) {
  std::string out = "'";
  for (const char c : word) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::string EscapeUrlPathSegment(std::string_view name) {
  std::string out;
  for (const char c : name) {
    out += IsUnreserved(c) ? std::string(1, c) : Formatted("%%%02X", static_cast<unsigned char>(c));
  }
  return out;
}

}  // namespace tarvosa
