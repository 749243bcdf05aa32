"""What both real-browser tests share: checks that go on after a failure,
waiting for what a browser does in its own time, and ending the browser
the test started (by its own process, never by name)."""

import subprocess
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
