"""The scratch copy of the checkout that mutants are made in, and its build.

The copy and its build directory stay between runs so that each rebuild is
incremental. Every run starts by making the copy equal to the checkout
again, which also undoes a mutation that a killed run left behind.
"""

import json
import os
import re
import shlex
import shutil
import subprocess
from pathlib import Path

from mutation.processes import run

_INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.MULTILINE)


class Scratch:
    def __init__(self, checkout, directory):
        self.checkout = Path(checkout)
        self.directory = Path(directory)
        self.source = self.directory / "source"
        self.build = self.directory / "build"

    def sync(self):
        """Makes the copy hold exactly the checkout's tracked files and its
        untracked files that are not ignored. Only files that differ are
        written, so the build sees only real changes."""
        wanted = set(_checkout_files(self.checkout))
        for relative in sorted(wanted):
            _copy_if_different(self.checkout / relative, self.source / relative)
        _remove_others(self.source, wanted)
        _link_node_modules(self.checkout, self.source, wanted)

    def configure(self):
        """Configures the build (again, which is quick when nothing changed);
        the compile database says which files the Linux build compiles."""
        command = ["cmake", "-S", str(self.source), "-B", str(self.build)]
        command += ["-DCMAKE_EXPORT_COMPILE_COMMANDS=ON"]
        # Tests are listed when ctest runs them, not at the end of the build:
        # a mutant that breaks a test program's listing is then a failing
        # test, not a build that failed.
        command += ["-DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST"]
        # The standard library checks every index into its containers: a
        # mutant that reads past a vector's end fails there, as it would
        # under the sanitizers CI runs, instead of reading what lies beyond.
        command += ["-DCMAKE_CXX_FLAGS=-D_GLIBCXX_ASSERTIONS"]
        if shutil.which("ninja") and not (self.build / "CMakeCache.txt").exists():
            command += ["-G", "Ninja"]
        return run(command)

    def compiled_files(self):
        """The files, relative to the checkout, that the build compiles: its
        .cpp files and every project header they include."""
        database = json.loads((self.build / "compile_commands.json").read_text())
        found = set()
        for entry in database:
            source = (Path(entry["directory"]) / entry["file"]).resolve()
            _collect_includes(source, _include_directories(entry), self.source.resolve(), found)
        root = self.source.resolve()
        return {path.relative_to(root).as_posix() for path in found if _inside(path, root)}

    def path_of(self, relative):
        return self.source / relative


def _checkout_files(checkout):
    listing = subprocess.run(
        ["git", "-C", str(checkout), "ls-files", "-z", "--cached", "--others"]
        + ["--exclude-standard"],
        check=True,
        capture_output=True,
    ).stdout.decode()
    for relative in listing.split("\0"):
        # A tracked file deleted in the checkout is listed but not there.
        if relative and (checkout / relative).is_file():
            yield relative


def _copy_if_different(source, target):
    if target.is_file() and not target.is_symlink() and target.read_bytes() == source.read_bytes():
        return
    target.parent.mkdir(parents=True, exist_ok=True)
    if target.is_symlink():
        target.unlink()
    # A plain copy, dated now: an older date could hide the change from the
    # build when the copy held a mutant.
    shutil.copyfile(source, target)
    shutil.copymode(source, target)


def _remove_others(source, wanted):
    for directory, folders, files in os.walk(source):
        here = Path(directory)
        folders[:] = [f for f in folders if not (here / f).is_symlink()]
        for name in files:
            path = here / name
            if path.relative_to(source).as_posix() not in wanted:
                path.unlink()


def _link_node_modules(checkout, source, wanted):
    """The browser tests' packages are installed in the checkout, beside
    their package.json, and ignored by git: the copy points at them."""
    for relative in wanted:
        if Path(relative).name != "package.json":
            continue
        installed = (checkout / relative).parent / "node_modules"
        link = (source / relative).parent / "node_modules"
        if installed.is_dir() and not link.is_symlink():
            link.symlink_to(installed.resolve(), target_is_directory=True)


def _include_directories(entry):
    words = entry["arguments"] if "arguments" in entry else shlex.split(entry["command"])
    directories = []
    for i, word in enumerate(words):
        for flag in ("-I", "-isystem", "-iquote"):
            if word == flag and i + 1 < len(words):
                directories.append(words[i + 1])
            elif word.startswith(flag) and len(word) > len(flag) and flag == "-I":
                directories.append(word[len(flag) :])
    return [Path(entry["directory"]) / d for d in directories]


def _collect_includes(source, include_directories, root, found):
    if source in found or not source.is_file():
        return
    found.add(source)
    if not _inside(source, root):
        return
    text = source.read_text(encoding="utf-8", errors="replace")
    for name in _INCLUDE.findall(text):
        for directory in [source.parent] + include_directories:
            candidate = (directory / name).resolve()
            if candidate.is_file():
                _collect_includes(candidate, include_directories, root, found)
                break


def _inside(path, root):
    return path == root or root in path.parents
