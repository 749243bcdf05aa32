"""What both real-browser tests share: checks that go on after a failure,
waiting for what a browser does in its own time, and ending the browser
the test started (by its own process, never by name)."""

import contextlib
import os
import shutil
import subprocess
import tempfile
import time

failures = []


def check(holds, what):
    print(("ok: " if holds else "FAILED: ") + what, flush=True)
    if not holds:
        failures.append(what)
    return holds


def wait_for(probe, what, timeout=30):
    """The first true value that probe() returns within timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise RuntimeError(f"gave up waiting for {what}")
        time.sleep(0.05)


def eventually(probe, timeout=10):
    """Whether probe() comes true within timeout seconds."""
    try:
        return bool(wait_for(probe, "", timeout))
    except RuntimeError:
        return False


def end_browser(process, ask_to_close, timeout=30):
    """Asks the browser to close, then ends it if it has not within timeout."""
    if process.poll() is None:
        try:
            ask_to_close()
        except (RuntimeError, OSError):
            pass
    try:
        process.wait(timeout)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


# A Unix socket's path holds at most 107 bytes; Chromium puts its
# SingletonSocket 46 bytes below the temporary folder.
SOCKET_PATH_ROOM = 107 - 46


@contextlib.contextmanager
def browser_tmp(work):
    """The temporary folder for a browser: one in the work directory when
    the sockets a browser makes there have room for their paths (a deep
    build tree has not), else one of the system's, removed afterwards."""
    inside = os.path.join(work, "tmp")
    if len(os.fsencode(inside)) <= SOCKET_PATH_ROOM:
        os.makedirs(inside, exist_ok=True)
        yield inside
        return
    outside = tempfile.mkdtemp(prefix="qc-")
    try:
        yield outside
    finally:
        shutil.rmtree(outside, ignore_errors=True)
