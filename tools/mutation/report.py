"""What the tool prints: a line per mutant as it finishes, then the
survivors and known equivalents with their diffs, then each target's
figures."""

from mutation.mutants import EQUIVALENT, KILLED, NOT_BUILT, SURVIVED


def mutant_line(result, number, count):
    progress = f"[{number}/{count}] " if count else ""
    outcome = result.outcome
    if result.outcome == NOT_BUILT:
        outcome += " (not counted; the next candidate replaces it)"
    elif result.outcome == KILLED and result.note:
        outcome += f" ({result.note})"
    elif result.outcome == EQUIVALENT:
        outcome += " (not counted)"
    line = f"{progress}{result.site.describe()}  {outcome}  {result.seconds:.1f} s"
    if result.outcome == NOT_BUILT and result.note:
        line += "\n    " + result.note[:200]
    return line


def details(results):
    """The survivors, then the known equivalents, each with its diff."""
    text = []
    for title, outcome in (("Survivors", SURVIVED), ("Known equivalent", EQUIVALENT)):
        chosen = [r for r in results if r.outcome == outcome]
        if not chosen:
            continue
        text.append(f"\n== {title} ({len(chosen)})\n")
        for result in chosen:
            text.append(f"\n{result.site.describe()}\n")
            text.append(f"  line: {result.site.line_text}\n")
            if outcome == EQUIVALENT:
                text.append(f"  reason: {result.note}\n")
            text.append(result.diff)
    return "".join(text)


def summary(targets, results):
    """A row per target: mutants tested (killed + survived), killed,
    survived, kill rate, and those left out of the count."""
    rows = [("target", "mutants", "killed", "survived", "kill rate", "not counted")]
    for target in targets:
        rows.append(_row(target, [r for r in results if r.target == target]))
    if len(targets) > 1:
        rows.append(_row("all", results))
    widths = [max(len(row[i]) for row in rows) for i in range(len(rows[0]))]
    lines = []
    for row in rows:
        cells = [row[0].ljust(widths[0])] + [c.rjust(w) for c, w in zip(row[1:-1], widths[1:-1])]
        lines.append("  ".join(cells + [row[-1]]).rstrip())
    return "\n== Kill rate\n\n" + "\n".join(lines) + "\n"


def kill_rate(results):
    """killed / (killed + survived), None when no mutant was counted."""
    killed = sum(r.outcome == KILLED for r in results)
    counted = killed + sum(r.outcome == SURVIVED for r in results)
    return killed / counted if counted else None


def _row(target, results):
    def count(outcome):
        return sum(r.outcome == outcome for r in results)

    killed, survived = count(KILLED), count(SURVIVED)
    rate = kill_rate(results)
    left_out = f"{count(NOT_BUILT)} did not build, {count(EQUIVALENT)} equivalent"
    shown_rate = "-" if rate is None else f"{100 * rate:.1f}%"
    return (target, str(killed + survived), str(killed), str(survived), shown_rate, left_out)
