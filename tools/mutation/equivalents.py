"""The mutants known to be equivalent: no test can tell them from the
original, so they are left out of the kill rate (and still shown).

The file is a list of records separated by blank lines; "#" starts a
comment line. Each record names one mutant by its file, the original
line's text (stripped) and the mutation as the tool prints it, so it still
matches when lines move:

    file: src/util/checksum.cpp
    line: for (std::uint32_t byte = 0; byte < 256; ++byte) {
    mutation: < -> <=
    reason: why no test can tell it from the original
"""

import dataclasses

_KEYS = ("file", "line", "mutation", "reason")


@dataclasses.dataclass(frozen=True)
class Equivalent:
    file: str
    line: str
    mutation: str
    reason: str

    def key(self):
        return (self.file, self.line, self.mutation)


class EquivalentsError(Exception):
    pass


def load(path):
    """The records of the file at `path` by (file, line, mutation); none
    when there is no such file."""
    if not path.exists():
        return {}
    records = {}
    for number, fields in _records(path.read_text(encoding="utf-8")):
        missing = [key for key in _KEYS if not fields.get(key)]
        if missing:
            raise EquivalentsError(f"{path}:{number}: the record lacks {', '.join(missing)}")
        equivalent = Equivalent(*(fields[key] for key in _KEYS))
        records[equivalent.key()] = equivalent
    return records


def find(records, site):
    return records.get((site.path, site.line_text, site.label))


def _records(text):
    """(first line number, {key: value}) of each record."""
    fields, first = {}, None
    for number, line in enumerate(text.splitlines(), start=1):
        stripped = line.strip()
        if stripped.startswith("#"):
            continue
        if not stripped:
            if fields:
                yield first, fields
            fields, first = {}, None
            continue
        key, colon, value = stripped.partition(":")
        if not colon or key.strip() not in _KEYS:
            raise EquivalentsError(f"line {number}: expected one of {', '.join(_KEYS)}: {line}")
        fields[key.strip()] = value.strip()
        first = first or number
    if fields:
        yield first, fields
