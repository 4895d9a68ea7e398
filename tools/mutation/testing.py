"""Building the scratch copy and running its tests, quick suites first."""

import dataclasses
import xml.etree.ElementTree as ElementTree

from mutation.processes import run

# A suite whose slowest test took less than this in the unmutated run is
# run first: most mutants are killed there, long before the slow ones.
QUICK_SECONDS = 1.0


def build(build_directory, jobs):
    return run(["cmake", "--build", str(build_directory), "-j", str(jobs)])


def first_error(output):
    """The first line of a failed build that says what went wrong."""
    for line in output.splitlines():
        if "error" in line.lower():
            return line.strip()
    lines = output.strip().splitlines()
    return lines[-1] if lines else ""


@dataclasses.dataclass
class Verdict:
    passed: bool
    timed_out: bool
    output: str


class TestRun:
    """The ctest runs of one mutant: the quick suites, then, when they all
    passed, the others; each stops at its first failing test."""

    def __init__(self, build_directory, jobs, timeout, tests):
        self.build_directory = build_directory
        self.jobs = jobs
        self.timeout = timeout
        self.tests = tests  # a ctest -R filter, or None for every test
        self.phases = [None]  # each a ctest -E filter

    def baseline(self):
        """Runs the tests on the unmutated copy; from their times, splits the
        suites into the quick ones and the others."""
        report = self.build_directory / "mutate-baseline.xml"
        verdict = self._ctest(None, ["--output-junit", str(report)], stop_early=False)
        if verdict.passed:
            self.phases = _phases(_suite_seconds(report))
        return verdict

    def run(self):
        for excluded in self.phases:
            verdict = self._ctest(excluded, [], stop_early=True)
            if not verdict.passed:
                return verdict
        return verdict

    def _ctest(self, excluded, extra, stop_early):
        command = ["ctest", "--test-dir", str(self.build_directory), "-j", str(self.jobs)]
        command += ["--timeout", str(self.timeout), "--no-tests=error"] + extra
        if stop_early:
            command.append("--stop-on-failure")
        if self.tests:
            command += ["-R", self.tests]
        if excluded:
            command += ["-E", excluded]
        finished = run(command)
        timed_out = "***Timeout" in finished.output
        return Verdict(finished.ok, timed_out, finished.output)


def _suite_seconds(report):
    """The slowest test's seconds in each suite (a test's name up to its
    first dot)."""
    seconds = {}
    for case in ElementTree.parse(report).getroot().iter("testcase"):
        suite = case.get("name", "").split(".")[0]
        seconds[suite] = max(seconds.get(suite, 0.0), float(case.get("time") or 0))
    return seconds


def _phases(suite_seconds):
    """The ctest -E filters of the two runs: the first leaves out the slow
    suites, the second the quick ones."""
    quick = sorted(s for s, t in suite_seconds.items() if t < QUICK_SECONDS)
    slow = sorted(s for s, t in suite_seconds.items() if t >= QUICK_SECONDS)
    if not quick or not slow:
        return [None]
    return [_suites_filter(slow), _suites_filter(quick)]


def _suites_filter(suites):
    return "^(" + "|".join(_escape(s) for s in suites) + r")(\.|$)"


def _escape(text):
    return "".join("\\" + c if c in "^$.[]*+?()|\\" else c for c in text)
