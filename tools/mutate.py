#!/usr/bin/env python3
"""Mutation testing: how many small changes to the sources the tests catch.

    tools/mutate.py [--seed N] [--count K] [--tests REGEX] [--list] TARGET...

Each TARGET is a folder or a file of the checkout. The tool makes one
mutant at a time (an operator changed, a constant off by one, a statement
dropped, a condition negated) in a scratch copy of the checkout, rebuilds
it incrementally, runs the tests and takes the mutant out again. It prints
each mutant's outcome, the survivors with their diffs, and each target's
kill rate, killed / (killed + survived). The checkout itself is never
written to. See "Mutation testing" in README.md.
"""

import argparse
import sys
from pathlib import Path

from mutation import equivalents, report, sampling
from mutation.mutants import KILLED, SURVIVED, equivalent_result, read_source, try_mutant
from mutation.processes import Stopped, stop_on_signals
from mutation.scratch import Scratch
from mutation.testing import TestRun, build

CHECKOUT = Path(__file__).resolve().parent.parent
EQUIVALENTS_FILE = CHECKOUT / "tools" / "mutate_equivalent.txt"


class CannotRun(Exception):
    """The tool cannot test mutants: the message says why (status 2)."""


def _positive(text):
    value = int(text)
    if value < 1:
        raise argparse.ArgumentTypeError(f"{text} is not a positive number")
    return value


def parse_arguments(argv):
    parser = argparse.ArgumentParser(
        description=__doc__.split("\n\n")[0],
        epilog="Exit status: 0 when it ran, 1 below --min-rate, 2 when it cannot run "
        "(the unmutated sources do not build or pass their tests), 130 when stopped.",
    )
    option = parser.add_argument
    option("targets", nargs="+", metavar="TARGET", help="folder or file to mutate")
    option("--seed", type=int, default=0, metavar="N", help="order of the candidates (default 0)")
    option("--count", type=_positive, metavar="K", help="built mutants per target (default: all)")
    option("--tests", metavar="REGEX", help="only the tests ctest -R selects")
    option("--timeout", type=_positive, default=60, metavar="SECONDS", help="per test (default 60)")
    option("--jobs", type=_positive, default=2, metavar="J", help="build and test jobs (default 2)")
    option("--list", action="store_true", help="show the chosen mutants, run nothing")
    option(
        "--build-dir",
        type=Path,
        default=CHECKOUT / "build-mutate",
        metavar="DIR",
        help="scratch directory: the copy of the checkout and its build (default build-mutate)",
    )
    option("--min-rate", type=float, metavar="P", help="exit 1 below P%% killed")
    return parser.parse_args(argv)


def main(argv=None):
    arguments = parse_arguments(argv)
    scratch = Scratch(CHECKOUT, arguments.build_dir.resolve())
    stop_on_signals()
    try:
        return run(arguments, scratch)
    except (CannotRun, equivalents.EquivalentsError) as error:
        print(f"mutate: {error}", file=sys.stderr)
        return 2
    except (KeyboardInterrupt, Stopped):
        print("\nmutate: stopped; the scratch copy holds no mutant", file=sys.stderr)
        return 130


def run(arguments, scratch):
    records = equivalents.load(EQUIVALENTS_FILE)
    targets = [_checkout_relative(target) for target in arguments.targets]
    prepare(scratch)
    compiled = scratch.compiled_files()
    chosen = {target: _candidates(target, compiled, scratch, arguments.seed) for target in targets}
    _warn_unmatched(records, chosen)
    if arguments.list:
        for target in targets:
            _list(target, chosen[target], arguments.count, records)
        return 0
    test_run = TestRun(scratch.build, arguments.jobs, arguments.timeout, arguments.tests)
    check_baseline(scratch, test_run, arguments.jobs)
    results = []
    for target in targets:
        results += mutate_target(target, chosen[target], arguments, scratch, test_run, records)
    print(report.details(results), end="")
    print(report.summary(targets, results), end="")
    rate = report.kill_rate(results)
    if arguments.min_rate is not None and rate is not None and 100 * rate < arguments.min_rate:
        print(f"mutate: the kill rate is below {arguments.min_rate}%", file=sys.stderr)
        return 1
    return 0


def prepare(scratch):
    print(f"mutate: syncing the scratch copy {scratch.source}", flush=True)
    scratch.sync()
    configured = scratch.configure()
    if not configured.ok:
        raise CannotRun("cmake could not configure the scratch copy:\n" + configured.output[-3000:])


def check_baseline(scratch, test_run, jobs):
    """The unmutated copy must build and pass its tests: a mutant is only
    killed by a test that passes without it."""
    print("mutate: building and testing the unmutated copy", flush=True)
    built = build(scratch.build, jobs)
    if not built.ok:
        raise CannotRun("the unmutated copy does not build:\n" + built.output[-3000:])
    verdict = test_run.baseline()
    if not verdict.passed:
        raise CannotRun("the tests fail without any mutant:\n" + verdict.output[-3000:])


def mutate_target(target, candidates, arguments, scratch, test_run, records):
    """Tests candidates in order until `count` of them have been built."""
    count = arguments.count if arguments.count is not None else len(candidates)
    print(f"\n== {target}: {count} of {len(candidates)} candidates (seed {arguments.seed})")
    results, counted = [], 0
    for site in candidates:
        if counted == count:
            break
        equivalent = equivalents.find(records, site)
        if equivalent:
            result = equivalent_result(target, site, scratch, equivalent)
        else:
            result = try_mutant(target, site, scratch, test_run, arguments.jobs)
        results.append(result)
        # The line is numbered by the slot it tried to fill.
        print(report.mutant_line(result, counted + 1, count), flush=True)
        counted += result.outcome in (KILLED, SURVIVED)
    if counted < count:
        print(f"mutate: {target}: only {counted} candidates built")
    return results


def _checkout_relative(target):
    path = Path(target).resolve()
    if path != CHECKOUT and CHECKOUT not in path.parents:
        raise CannotRun(f"{target}: not in the checkout {CHECKOUT}")
    if not path.exists():
        raise CannotRun(f"{target}: no such file or folder")
    return path.relative_to(CHECKOUT).as_posix()


def _candidates(target, compiled, scratch, seed):
    files = sampling.files_of(target, compiled)
    if not files:
        raise CannotRun(f"{target}: the Linux build compiles no file there")
    return sampling.candidates(files, lambda path: read_source(scratch.path_of(path)), seed)


def _warn_unmatched(records, chosen):
    """Names the equivalents whose mutant no longer exists in a target's
    files (their line or the tool changed), so the file stays true."""
    sites = {(s.path, s.line_text, s.label) for candidates in chosen.values() for s in candidates}
    paths = {key[0] for key in sites}
    for key, record in records.items():
        if record.file in paths and key not in sites:
            print(f"mutate: {EQUIVALENTS_FILE.name}: no such mutant any more: "
                  f"{record.file}: {record.mutation}: {record.line}", file=sys.stderr)


def _list(target, candidates, count, records):
    print(f"== {target}: {len(candidates)} candidates; in the order they are tried "
          "(one that does not build is replaced by the next):")
    shown = 0
    for site in candidates:
        if count is not None and shown == count:
            break
        equivalent = equivalents.find(records, site)
        note = f"  (known equivalent: {equivalent.reason})" if equivalent else ""
        shown += not equivalent
        print(f"  {site.describe()}  |  {site.line_text}{note}")


if __name__ == "__main__":
    sys.exit(main())
