"""Which files a target names, and in which order its mutants are tried."""

import random

from mutation.sites import find_sites


def files_of(target, compiled):
    """The compiled files a target (a file or a folder, relative to the
    checkout) names, sorted."""
    target = target.rstrip("/")
    if target in compiled:
        return [target]
    prefix = "" if target in ("", ".") else target + "/"
    return sorted(path for path in compiled if path.startswith(prefix))


def candidates(files, read_source, seed):
    """Every site of the files, shuffled by `seed`: the same seed and the
    same sources give the same order. Mutants are tried in this order until
    enough of them have been built."""
    sites = []
    for path in files:
        sites.extend(find_sites(path, read_source(path)))
    random.Random(seed).shuffle(sites)
    return sites
