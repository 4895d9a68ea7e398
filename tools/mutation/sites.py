"""The places in a C++ source where a mutation can be made, each with the
text it puts in.

The sources are clang-formatted, and the finder leans on it: a binary
operator always has blanks on both sides, while template brackets, unary
operators, pointers and references never have one on both. That tells a
comparison from a template argument list without parsing the C++.
"""

import collections
import dataclasses
import difflib
import re

from mutation.lexer import IDENTIFIER, LITERAL, NUMBER, matching_close, tokenize

_BINARY_MUTATIONS = {
    "<": ("<=", ">"),
    "<=": ("<", ">="),
    ">": (">=", "<"),
    ">=": (">", "<="),
    "==": ("!=",),
    "!=": ("==",),
    "+": ("-",),
    "-": ("+",),
    "*": ("/",),
    "/": ("*",),
    "%": ("*",),
    "+=": ("-=",),
    "-=": ("+=",),
    "*=": ("/=",),
    "/=": ("*=",),
    "&&": ("||",),
    "||": ("&&",),
}

_ASSIGNMENTS = {"=", "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^=", "<<=", ">>="}
_CONTROL_HEADERS = {"if", "for", "while", "switch"}
# What may stand right before the "{" of a function's or a lambda's body, or
# of a statement's block.
_BODY_OPENERS = {")", "]", "else", "do", "try", "const", "noexcept", "override", "final", "mutable"}

_KEYWORDS = set(
    """alignas alignof asm auto bool break case catch char char8_t char16_t char32_t class
    co_await co_return co_yield concept const consteval constexpr constinit const_cast
    continue decltype default delete do double dynamic_cast else enum explicit export extern
    false float for friend goto if inline int long mutable namespace new noexcept nullptr
    operator private protected public register reinterpret_cast requires return short signed
    sizeof static static_assert static_cast struct switch template thread_local throw true try
    typedef typeid typename union unsigned using virtual void volatile wchar_t while""".split()
)

_INTEGER = re.compile(
    r"(?P<digits>0[xX][0-9a-fA-F']+|0[bB][01']+|0[0-7']*|[1-9][0-9']*)(?P<suffix>[uUlLzZ]*)$"
)


@dataclasses.dataclass(frozen=True)
class Site:
    path: str  # relative to the checkout, with "/"
    line: int
    line_text: str  # the original line, stripped
    start: int
    end: int
    replacement: str
    label: str  # "< -> <=", "drop statement"; " #2" for the second on its line

    def describe(self):
        return f"{self.path}:{self.line}: {self.label}"

    def apply(self, source):
        return source[: self.start] + self.replacement + source[self.end :]

    def diff(self, source):
        lines = difflib.unified_diff(
            source.splitlines(keepends=True),
            self.apply(source).splitlines(keepends=True),
            fromfile="a/" + self.path,
            tofile="b/" + self.path,
            n=2,
        )
        return "".join(line if line.endswith("\n") else line + "\n" for line in lines)


def find_sites(path, source):
    """Every mutation of `source` (the text of the file `path`), in the
    order of the file."""
    tokens = tokenize(source)
    edits = (
        _operator_edits(tokens, source)
        + _constant_edits(tokens)
        + _condition_edits(tokens, source)
        + _statement_edits(tokens, source)
    )
    edits.sort(key=lambda edit: (edit[0], edit[1], edit[3]))
    return _number_on_lines(path, source, edits)


def _number_on_lines(path, source, edits):
    """Sites from (start, end, replacement, label) edits; a label repeated
    on one line gets " #2", " #3" so that each site has a name of its own."""
    lines = source.split("\n")
    seen = collections.Counter()
    sites = []
    for start, end, replacement, label in edits:
        line = source.count("\n", 0, start) + 1
        seen[line, label] += 1
        if seen[line, label] > 1:
            label = f"{label} #{seen[line, label]}"
        text = lines[line - 1].strip()
        sites.append(Site(path, line, text, start, end, replacement, label))
    return sites


# Operators.


def _operator_edits(tokens, source):
    edits = []
    for i, token in enumerate(tokens):
        if token.frozen or token.text not in _BINARY_MUTATIONS:
            continue
        if not _is_binary(tokens, i, source):
            continue
        for replacement in _BINARY_MUTATIONS[token.text]:
            label = f"{token.text} -> {replacement}"
            edits.append((token.start, token.end, replacement, label))
    return edits


def _is_binary(tokens, i, source):
    """Whether the operator at `i` stands between two operands, as the
    formatting writes it: blanks on both sides."""
    token = tokens[i]
    if token.start == 0 or token.end >= len(source):
        return False
    if not (source[token.start - 1].isspace() and source[token.end].isspace()):
        return False
    previous = tokens[i - 1].text if i > 0 else ""
    if previous in ("template", "operator"):
        return False
    # Text joined with "+": "-" would not compile.
    if token.text in ("+", "+=") and _next_to_string(tokens, i):
        return False
    return True


def _next_to_string(tokens, i):
    neighbours = tokens[max(i - 1, 0) : i] + tokens[i + 1 : i + 2]
    return any(t.kind == LITERAL and t.text.endswith('"') for t in neighbours)


# Integer constants.


def _constant_edits(tokens):
    edits = []
    for i, token in enumerate(tokens):
        if token.frozen or token.kind != NUMBER or _is_pure_specifier(tokens, i):
            continue
        match = _INTEGER.match(token.text)
        if not match:
            continue
        for changed in _plus_minus_one(match.group("digits")):
            replacement = changed + match.group("suffix")
            edits.append((token.start, token.end, replacement, f"{token.text} -> {replacement}"))
    return edits


def _is_pure_specifier(tokens, i):
    """The 0 of "virtual f() = 0;", which no other number may replace."""
    return (
        tokens[i].text == "0"
        and 0 < i < len(tokens) - 1
        and tokens[i - 1].text == "="
        and tokens[i + 1].text == ";"
        and any(t.text == "virtual" for t in _statement_tokens_before(tokens, i))
    )


def _statement_tokens_before(tokens, i):
    at = i
    while at > 0 and tokens[at - 1].text not in (";", "{", "}"):
        at -= 1
    return tokens[at:i]


def _plus_minus_one(digits):
    """The constant one above and one below, written in the same base."""
    plain = digits.replace("'", "")
    if plain[:2] in ("0x", "0X"):
        base, prefix = 16, plain[:2]
    elif plain[:2] in ("0b", "0B"):
        base, prefix = 2, plain[:2]
    elif len(plain) > 1 and plain[0] == "0":
        base, prefix = 8, "0"
    else:
        base, prefix = 10, ""
    body = plain[len(prefix) :]
    value = int(body, base)
    changed = [value + 1] + ([value - 1] if value > 0 else [])
    return [prefix + _in_base(number, base, len(body), body) for number in changed]


def _in_base(number, base, width, original):
    if base == 10:
        return str(number)
    letter = {16: "x" if original != original.upper() else "X", 8: "o", 2: "b"}[base]
    return format(number, f"0{width}{letter}")


# Conditions of if and while.


def _condition_edits(tokens, source):
    edits = []
    for i, token in enumerate(tokens):
        if token.frozen or token.text not in ("if", "while"):
            continue
        open_at = i + 2 if tokens[i + 1 : i + 2] and tokens[i + 1].text == "constexpr" else i + 1
        if open_at >= len(tokens) or tokens[open_at].text != "(":
            continue
        close_at = matching_close(tokens, open_at)
        condition = _condition_tokens(tokens, open_at, close_at)
        if not condition or _declares(condition):
            continue
        start, end = condition[0].start, condition[-1].end
        replacement = "!(" + source[start:end] + ")"
        edits.append((start, end, replacement, f"negate {token.text} condition"))
    return edits


def _condition_tokens(tokens, open_at, close_at):
    """The condition inside the parentheses, after any init-statement."""
    inner = tokens[open_at + 1 : close_at]
    depth = 0
    after = 0
    for k, token in enumerate(inner):
        if token.text in ("(", "[", "{"):
            depth += 1
        elif token.text in (")", "]", "}"):
            depth -= 1
        elif token.text == ";" and depth == 0:
            after = k + 1
    return inner[after:]


def _declares(condition):
    """Whether the condition declares a variable ("auto* p = f()"), which
    cannot be negated as it stands."""
    names = []
    for token in condition:
        if token.text == "=":
            break
        names.append(token)
    else:
        return False
    for before, token in zip(names, names[1:]):
        if token.kind == IDENTIFIER or token.text == "[":
            if before.kind == IDENTIFIER or before.text in (">", "*", "&", "&&"):
                return True
    return False


# Dropped statements.


def _statement_edits(tokens, source):
    edits = []
    for start_at, unbraced in _statement_starts(tokens):
        end_at = _droppable_statement_end(tokens, start_at)
        if end_at is None:
            continue
        start, end = tokens[start_at].start, tokens[end_at].end
        if unbraced:
            edits.append((start, end, "{}", "drop statement"))
        else:
            start, end = _whole_lines(source, start, end)
            edits.append((start, end, "", "drop statement"))
    return edits


def _statement_starts(tokens):
    """(index, unbraced) of each token that begins a statement in a
    function's body; `unbraced` when the statement is the unbraced body of
    an if, for, while or else."""
    contexts = [[False, 0]]  # [inside a body, bracket depth] for each open "{"
    control_closes = set()
    for i, token in enumerate(tokens):
        context = contexts[-1]
        at_statement_level = context[0] and context[1] == 0
        if at_statement_level and i > 0:
            start = _begins_statement(tokens, i, control_closes)
            if start is not None:
                yield i, start
        text = token.text
        if text == "{":
            contexts.append([_opens_body(tokens, i, at_statement_level), 0])
        elif text == "}":
            if len(contexts) > 1:
                contexts.pop()
        elif text in ("(", "["):
            if text == "(" and at_statement_level and _is_control_header(tokens, i):
                control_closes.add(matching_close(tokens, i))
            context[1] += 1
        elif text in (")", "]"):
            context[1] -= 1


def _begins_statement(tokens, i, control_closes):
    """None when token `i` does not begin a statement; else whether it is
    an unbraced body."""
    token, previous = tokens[i], tokens[i - 1]
    if token.text in ("{", ";"):
        return None
    if previous.text in (";", "{", "}"):
        return False
    if previous.text == ":":
        return False if _ends_case_label(tokens, i - 1) else None
    if (i - 1) in control_closes or previous.text in ("else", "do"):
        return None if token.text == "if" else True
    return None


def _ends_case_label(tokens, colon_at):
    k = colon_at - 1
    while k >= 0 and tokens[k].text not in (";", "{", "}"):
        k -= 1
    return tokens[k + 1].text in ("case", "default")


def _is_control_header(tokens, open_at):
    before = tokens[open_at - 1].text if open_at > 0 else ""
    if before == "constexpr" and open_at > 1:
        before = tokens[open_at - 2].text
    return before in _CONTROL_HEADERS


def _opens_body(tokens, brace_at, at_statement_level):
    previous = tokens[brace_at - 1].text if brace_at > 0 else ""
    if previous in _BODY_OPENERS:
        return True
    return at_statement_level and previous in (";", "{", "}", ":")


def _droppable_statement_end(tokens, start_at):
    """The index of the ";" ending the statement at `start_at` when it is a
    bare "return;" or an expression statement (a call, an assignment, an
    increment, a "<<"); None for anything else."""
    token = tokens[start_at]
    if token.text == "return":
        following = tokens[start_at + 1 : start_at + 2]
        return start_at + 1 if following and following[0].text == ";" else None
    at = start_at + 1 if token.text in ("++", "--", "*") else start_at
    after_chain = _skip_name_chain(tokens, at)
    if after_chain is None or after_chain >= len(tokens):
        return None
    follow = tokens[after_chain].text
    is_call = follow == ";" and tokens[after_chain - 1].text == ")"
    if not (is_call or follow in _ASSIGNMENTS or follow in ("++", "--", "<<")):
        return None
    return _statement_end(tokens, after_chain)


def _skip_name_chain(tokens, at):
    """Past a chain such as "a.b[i]->c(x)" or "ns::f<T>(y)" at `at`; None
    when none starts there. Two names in a row end it, so a declaration
    ("Type name = ...") never reads as an assignment."""
    if at >= len(tokens):
        return None
    first = tokens[at]
    if first.text not in ("this", "::") and (first.kind != IDENTIFIER or first.text in _KEYWORDS):
        return None
    i = at + 1 if first.text != "::" else at
    while i < len(tokens):
        text = tokens[i].text
        if text in ("::", ".", "->"):
            if i + 1 >= len(tokens) or tokens[i + 1].kind != IDENTIFIER:
                return None
            i += 2
        elif text in ("(", "["):
            i = matching_close(tokens, i) + 1
        elif text == "<" and _opens_template_arguments(tokens, i):
            i = _template_arguments_end(tokens, i)
            if i is None:
                return None
        else:
            return i
    return None


def _opens_template_arguments(tokens, i):
    name = tokens[i - 1]
    return name.kind == IDENTIFIER and name.end == tokens[i].start


def _template_arguments_end(tokens, open_at):
    depth = 0
    i = open_at
    while i < len(tokens):
        text = tokens[i].text
        if text in (";", "{", "}"):
            return None
        if text == "<":
            depth += 1
        elif text in (">", ">>"):
            depth -= len(text)
            if depth <= 0:
                return i + 1
        elif text in ("(", "["):
            i = matching_close(tokens, i)
        i += 1
    return None


def _statement_end(tokens, at):
    depth = 0
    for i in range(at, len(tokens)):
        text = tokens[i].text
        if text in ("(", "[", "{"):
            depth += 1
        elif text in (")", "]", "}"):
            depth -= 1
            if depth < 0:
                return None
        elif text == ";" and depth == 0:
            return i
    return None


def _whole_lines(source, start, end):
    """The statement's lines, newline included, when it stands on them
    alone; else the statement itself."""
    line_start = source.rfind("\n", 0, start) + 1
    line_end = source.find("\n", end)
    line_end = len(source) if line_end < 0 else line_end
    if source[line_start:start].strip() or source[end:line_end].strip():
        return start, end
    return line_start, min(line_end + 1, len(source))
