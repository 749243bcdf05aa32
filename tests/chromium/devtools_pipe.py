"""A headless Chromium on a profile directory, driven through the DevTools
protocol over --remote-debugging-pipe (NUL-ended JSON messages on the
browser's fds 3 and 4), so that only Python's standard library is needed.

Bookmarks are made and read through chrome.bookmarks on chrome://bookmarks,
the way the browser's own bookmark manager does it."""

import json
import os
import shutil
import subprocess
import time

BROWSER_FLAGS = [
    "--headless=new",
    "--no-sandbox",
    "--disable-gpu",
    "--no-first-run",
    "--no-default-browser-check",
    "--disable-background-networking",
    "--disable-component-update",
    "--disable-sync",
    "--password-store=basic",
    "--remote-debugging-pipe",
]


def browser_program():
    # The Debian launcher script execs this; starting it ourselves keeps the
    # process id ours to end.
    for candidate in ("/usr/lib/chromium/chromium", shutil.which("chromium")):
        if candidate and os.access(candidate, os.X_OK):
            return candidate
    raise SystemExit("chromium is not installed (sh tools/setup.sh installs it)")


class Browser:
    def __init__(self, user_data_dir):
        self.user_data_dir = user_data_dir
        to_browser_r, self._to_browser = os.pipe()
        self._from_browser, from_browser_w = os.pipe()
        os.makedirs(user_data_dir, exist_ok=True)

        def fds_3_and_4():
            # Copies first, so that a pipe end already on 3 or 4 survives.
            reading, writing = os.dup(to_browser_r), os.dup(from_browser_w)
            os.dup2(reading, 3)
            os.dup2(writing, 4)

        self.process = subprocess.Popen(
            [browser_program(), *BROWSER_FLAGS, "--user-data-dir=" + user_data_dir, "about:blank"],
            pass_fds=(3, 4),
            preexec_fn=fds_3_and_4,
            stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL,
            env={**os.environ, "HOME": user_data_dir},
        )
        os.close(to_browser_r)
        os.close(from_browser_w)
        self._next_id = 0
        self._buffer = b""
        self._session = None

    def _send(self, method, params=None, session=None):
        self._next_id += 1
        message = {"id": self._next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        os.write(self._to_browser, json.dumps(message).encode() + b"\0")
        return self._next_id

    def _receive(self):
        while b"\0" not in self._buffer:
            chunk = os.read(self._from_browser, 65536)
            if not chunk:
                raise RuntimeError("the browser closed its pipe")
            self._buffer += chunk
        message, self._buffer = self._buffer.split(b"\0", 1)
        return json.loads(message)

    def call(self, method, params=None, session=None):
        wanted = self._send(method, params, session)
        while True:
            message = self._receive()
            if message.get("id") == wanted:
                if "error" in message:
                    raise RuntimeError(f"{method}: {message['error']}")
                return message.get("result", {})

    def _bookmarks_page(self):
        if self._session is None:
            target = self.call("Target.createTarget", {"url": "chrome://bookmarks"})["targetId"]
            self._session = self.call(
                "Target.attachToTarget", {"targetId": target, "flatten": True}
            )["sessionId"]
            # The page's chrome.bookmarks exists once the page has loaded.
            for _ in range(100):
                if self.evaluate("typeof chrome.bookmarks") == "object":
                    break
                time.sleep(0.1)
        return self._session

    def evaluate(self, expression):
        result = self.call(
            "Runtime.evaluate",
            {"expression": expression, "awaitPromise": True, "returnByValue": True},
            self._session,
        )
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def bookmarks(self, expression):
        """Evaluates an expression over chrome.bookmarks on chrome://bookmarks."""
        self._bookmarks_page()
        return self.evaluate(expression)

    def tree(self):
        return self.bookmarks("chrome.bookmarks.getTree()")

    def close(self, timeout=30):
        try:
            self.call("Browser.close")
        except (RuntimeError, OSError):
            pass
        try:
            self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        os.close(self._to_browser)
        os.close(self._from_browser)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        if self.process.poll() is None:
            self.close()


def plain_tree(node):
    """The parts of a getTree() node that a user sees: title, URL, children,
    order. Ids and dates are left out, so that trees from two files compare."""
    plain = {"title": node.get("title", "")}
    if "url" in node:
        plain["url"] = node["url"]
    if "children" in node:
        plain["children"] = [plain_tree(child) for child in node["children"]]
    return plain
