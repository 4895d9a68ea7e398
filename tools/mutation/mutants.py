"""One mutant's life: written into the scratch copy, built, tested, and
taken back out whatever happens."""

import contextlib
import dataclasses
import time

from mutation.processes import signals_held
from mutation.testing import build, first_error

KILLED = "killed"
SURVIVED = "survived"
NOT_BUILT = "did not build"
EQUIVALENT = "equivalent"


@dataclasses.dataclass
class Result:
    target: str
    site: object  # sites.Site
    outcome: str
    seconds: float
    diff: str
    note: str = ""  # why it was killed, what the build said, why equivalent


def read_source(path):
    # Bytes that are not UTF-8 survive the round trip unchanged.
    return path.read_bytes().decode("utf-8", errors="surrogateescape")


def write_source(path, text):
    with signals_held():
        path.write_bytes(text.encode("utf-8", errors="surrogateescape"))


@contextlib.contextmanager
def mutated(path, site):
    """The file at `path` holds the mutant inside the block, and its
    original text again after it, however the block ends."""
    original = read_source(path)
    try:
        write_source(path, site.apply(original))
        yield original
    finally:
        write_source(path, original)


def try_mutant(target, site, scratch, test_run, jobs):
    started = time.monotonic()
    with mutated(scratch.path_of(site.path), site) as original:
        diff = site.diff(original)
        built = build(scratch.build, jobs)
        if not built.ok:
            outcome, note = NOT_BUILT, first_error(built.output)
        else:
            verdict = test_run.run()
            outcome = SURVIVED if verdict.passed else KILLED
            note = "a test ran past its timeout" if verdict.timed_out else ""
    return Result(target, site, outcome, time.monotonic() - started, diff, note)


def equivalent_result(target, site, scratch, equivalent):
    diff = site.diff(read_source(scratch.path_of(site.path)))
    return Result(target, site, EQUIVALENT, 0.0, diff, equivalent.reason)
