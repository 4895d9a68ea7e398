"""Splits C++ source text into tokens.

Comments and preprocessor lines never come out as tokens, and a string or
character literal comes out whole, as one LITERAL token, so nothing inside
them is ever mutated. Tokens inside a static_assert are marked `frozen`:
they keep the structure but are not mutated (a mutant there is a compile
error or a test of the compiler).
"""

import dataclasses
import re

IDENTIFIER = "identifier"
NUMBER = "number"
LITERAL = "literal"  # a string or character literal, prefix included
PUNCTUATOR = "punctuator"

# Longest first, so that "<<=" is not read as "<" and "<=".
_PUNCTUATORS = sorted(
    """<=> <<= >>= ... ->* :: -> ++ -- << >> <= >= == != && || += -= *= /= %= &= |= ^= .*
    { } [ ] ( ) ; : ? , . + - * / % ^ & | ~ ! = < >""".split(),
    key=len,
    reverse=True,
)

_IDENTIFIER = re.compile(r"[A-Za-z_][A-Za-z0-9_]*")
# A pp-number: digits, letters, dots, exponents' signs and digit separators.
_NUMBER = re.compile(r"\.?[0-9](?:[eEpP][+-]|'?[0-9A-Za-z_]|\.)*")
_STRING_PREFIX = re.compile(r"(?:u8|u|U|L)?R?$")
_RAW_STRING_OPEN = re.compile(r'R"([^()\\ \t\n]{0,16})\(')


@dataclasses.dataclass
class Token:
    kind: str
    text: str
    start: int  # offset of the first character in the source
    end: int  # offset just past the last character
    line: int  # 1-based
    frozen: bool = False


def tokenize(source):
    """The tokens of `source`, without comments and preprocessor lines;
    those inside a static_assert are frozen."""
    tokens = list(_scan(source))
    _freeze_static_asserts(tokens)
    return tokens


def _scan(source):
    at = 0
    line = 1
    line_start = True  # only blanks so far on this line
    while at < len(source):
        c = source[at]
        if c == "\n":
            line += 1
            line_start = True
            at += 1
            continue
        if c in " \t\r\f\v":
            at += 1
            continue
        skipped = _skip_comment_or_directive(source, at, line_start)
        line_start = False
        if skipped is not None:
            line += source.count("\n", at, skipped)
            at = skipped
            continue
        token = _read_token(source, at, line)
        if source[at] in "\"'" or (token.kind == IDENTIFIER and _is_text_prefix(source, token)):
            end = _skip_text_literal(source, at)
            token = Token(LITERAL, source[at:end], at, end, line)
            line += source.count("\n", at, end)
        yield token
        at = token.end


def _skip_comment_or_directive(source, at, line_start):
    """Where a comment or preprocessor line starting at `at` ends, or None
    when none starts there."""
    if source.startswith("//", at):
        return _end_of_line(source, at, continued=False)
    if source.startswith("/*", at):
        end = source.find("*/", at + 2)
        return len(source) if end < 0 else end + 2
    if source[at] == "#" and line_start:
        return _end_of_line(source, at, continued=True)
    return None


def _end_of_line(source, at, continued):
    """The offset of the newline ending the line at `at`; a preprocessor
    line goes on past a backslash at its end."""
    while True:
        end = source.find("\n", at)
        if end < 0:
            return len(source)
        before = end - 2 if source[end - 1 : end] == "\r" else end - 1
        if not continued or source[before : before + 1] != "\\":
            return end
        at = end + 1


def _is_text_prefix(source, token):
    """Whether the identifier is the prefix of a string or char literal
    (u8"..", L'x', R"(..)")."""
    return (
        token.end < len(source)
        and source[token.end] in "\"'"
        and _STRING_PREFIX.match(token.text) is not None
    )


def _skip_text_literal(source, at):
    """The end of the string or char literal (with any prefix) at `at`."""
    quote_at = at
    while source[quote_at] not in "\"'":
        quote_at += 1
    if source[quote_at] == '"' and source[at:quote_at].endswith("R"):
        opening = _RAW_STRING_OPEN.match(source, quote_at - 1)
        if opening:
            closing = ")" + opening.group(1) + '"'
            end = source.find(closing, opening.end())
            return len(source) if end < 0 else end + len(closing)
    quote = source[quote_at]
    i = quote_at + 1
    while i < len(source) and source[i] != quote and source[i] != "\n":
        i += 2 if source[i] == "\\" else 1
    return min(i + 1, len(source))


def _read_token(source, at, line):
    for kind, pattern in ((NUMBER, _NUMBER), (IDENTIFIER, _IDENTIFIER)):
        match = pattern.match(source, at)
        if match:
            return Token(kind, match.group(), at, match.end(), line)
    for punctuator in _PUNCTUATORS:
        if source.startswith(punctuator, at):
            return Token(PUNCTUATOR, punctuator, at, at + len(punctuator), line)
    # Anything else (a stray backslash, '@', '$') stands alone.
    return Token(PUNCTUATOR, source[at], at, at + 1, line)


def _freeze_static_asserts(tokens):
    for i, token in enumerate(tokens):
        if token.text != "static_assert":
            continue
        end = matching_close(tokens, i + 1)
        for frozen in tokens[i : end + 1]:
            frozen.frozen = True


_PAIRS = {"(": ")", "[": "]", "{": "}"}


def matching_close(tokens, open_at):
    """The index of the bracket closing the one at `open_at` (the last
    token when it is never closed); `open_at` itself when it holds no
    opening bracket."""
    if open_at >= len(tokens) or tokens[open_at].text not in _PAIRS:
        return min(open_at, len(tokens) - 1)
    depth = 0
    for i in range(open_at, len(tokens)):
        text = tokens[i].text
        if text in _PAIRS:
            depth += 1
        elif text in _PAIRS.values():
            depth -= 1
            if depth == 0:
                return i
    return len(tokens) - 1
