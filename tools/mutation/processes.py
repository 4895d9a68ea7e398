"""Running the build and the tests as child processes that never outlive
the tool."""

import contextlib
import dataclasses
import os
import signal
import subprocess

STOP_SIGNALS = (signal.SIGINT, signal.SIGTERM, signal.SIGHUP)


class Stopped(Exception):
    """The tool was asked to stop (SIGTERM, SIGHUP)."""


@dataclasses.dataclass
class Finished:
    status: int
    output: str

    @property
    def ok(self):
        return self.status == 0


def run(command, cwd=None):
    """Runs `command` to its end with its output captured. The command and
    everything it started run in a process group of their own, which is
    killed whole if the tool is interrupted meanwhile."""
    child = subprocess.Popen(
        command,
        cwd=cwd,
        stdout=subprocess.PIPE,
        stderr=subprocess.STDOUT,
        stdin=subprocess.DEVNULL,
        start_new_session=True,
    )
    try:
        output, _ = child.communicate()
    except BaseException:
        _end_group(child)
        raise
    return Finished(child.returncode, output.decode(errors="replace"))


def _end_group(child):
    """SIGTERM first, so that the build removes the outputs it was writing;
    then SIGKILL for whatever of the group is still there."""
    with signals_held():
        with contextlib.suppress(ProcessLookupError):
            os.killpg(child.pid, signal.SIGTERM)
        with contextlib.suppress(subprocess.TimeoutExpired):
            child.wait(timeout=5)
        with contextlib.suppress(ProcessLookupError):
            os.killpg(child.pid, signal.SIGKILL)
        child.wait()


def stop_on_signals():
    """SIGINT, SIGTERM and SIGHUP stop the tool through its try/finally
    blocks; SIGINT too when the tool was started with it ignored, as a
    shell starts a background job."""

    def stop(number, frame):
        raise Stopped(signal.Signals(number).name)

    signal.signal(signal.SIGINT, signal.default_int_handler)
    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGHUP, stop)


@contextlib.contextmanager
def signals_held():
    """Holds the stop signals back while a file is being written or the
    children are being ended; they arrive right after."""
    previous = signal.pthread_sigmask(signal.SIG_BLOCK, STOP_SIGNALS)
    try:
        yield
    finally:
        signal.pthread_sigmask(signal.SIG_SETMASK, previous)
