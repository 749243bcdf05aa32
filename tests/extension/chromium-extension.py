#!/usr/bin/env python3
"""The extension in a real headless Chromium, with snaplet as its native
messaging host, as a user sets it up: `snaplet --register` writes the host
manifests into a home of the test's own, the browser's user data dir is
the one registration writes for Chromium (<config>/chromium, whose
NativeMessagingHosts folder a browser reads; one given elsewhere with
--user-data-dir is read instead of it), and the recording meter control is
registered in a registry file of the test's. Pages served by the test on
127.0.0.1 are saved through the toolbar button (Extensions.triggerAction)
and the page menu (its onClicked event dispatched in the service worker,
which the protocol cannot click); each row checks what the recording
control received and the badge and title of the button for that tab.

    python3 tests/extension/chromium-extension.py <snaplet> <qc_register_control> <extension dir> <work dir>

One browser run for every row. The work directory is made anew, and kept
only when a check failed."""

import base64
import hashlib
import http.server
import json
import os
import shutil
import struct
import subprocess
import sys
import threading

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, here)
sys.path.insert(0, os.path.join(here, "..", "chromium"))
from devtools_pipe import BROWSER_FLAGS, browser_program  # noqa: E402
from support import browser_tmp, check, end_browser, eventually, failures, wait_for  # noqa: E402
from websocket import WebSocket  # noqa: E402

# The flags of the project's other Chromium tests, with the protocol on a
# port of the browser's choosing and extensions loadable through it.
FLAGS = [flag for flag in BROWSER_FLAGS if flag != "--remote-debugging-pipe"] + [
    "--enable-unsafe-extension-debugging",
    "--remote-debugging-port=0",
]
UNICODE_TITLE = "Zürich — 日本語のページ 🐦"
PAGES = {
    "/unicode.htm": f"<!doctype html><meta charset=utf-8><title>{UNICODE_TITLE}</title><p>Text",
    "/framed.htm": '<!doctype html><title>Framed story</title><iframe src="/inner.htm"></iframe>',
    "/inner.htm": "<!doctype html><title>Inner frame</title><p>Inside",
}
BUTTON_TITLE = "Save to Quillary"
MENU_ITEMS = ["quillary-save", "quillary-quicksave"]
NOT_SENT = "Quillary: this page cannot be saved"
HOST_REASON = object()  # the title carries the reason snaplet itself replies
# The control's dispatch ids: the title, then the URL with SaveDefault or SaveMode1.
SET_TITLE, SAVE_DEFAULT, SAVE_MODE1 = "1", "5", "6"


def extension_id(extension):
    """The Chromium-family id that follows from the manifest's "key"."""
    with open(os.path.join(extension, "manifest.json"), encoding="utf-8") as f:
        key = base64.b64decode(json.load(f)["key"])
    return "".join(chr(ord("a") + int(digit, 16)) for digit in hashlib.sha256(key).hexdigest()[:32])


class PageHandler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        body = PAGES.get(self.path)
        if body is None:
            self.send_error(404)
            return
        data = body.encode()
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def log_message(self, *args):
        pass


class Chromium:
    """A headless Chromium on the DevTools protocol over its port, with the
    extension loaded and a session on the extension's service worker."""

    def __init__(self, user_data_dir, env, log):
        self.process = subprocess.Popen(
            [browser_program(), *FLAGS, "--user-data-dir=" + user_data_dir, "about:blank"],
            stdout=subprocess.DEVNULL, stderr=log, env=env)
        port_file = os.path.join(user_data_dir, "DevToolsActivePort")

        def port_and_path():
            # The port, then the browser target's path, which ends in a GUID.
            if self.process.poll() is not None:
                raise RuntimeError(f"the browser ended with status {self.process.returncode}")
            lines = open(port_file).read().split("\n") if os.path.exists(port_file) else []
            whole = len(lines) >= 2 and len(lines[1]) == len("/devtools/browser/") + 36
            return lines[:2] if whole else None

        try:
            port, path = wait_for(port_and_path, "the browser's DevTools port")
            self.protocol = WebSocket(int(port), path)
        except (RuntimeError, OSError):
            self.process.kill()
            self.process.wait()
            raise

    def load_extension(self, extension):
        self.extension = self.protocol.call("Extensions.loadUnpacked", {"path": extension})["id"]

        def worker():
            targets = self.protocol.call("Target.getTargets")["targetInfos"]
            return next((t["targetId"] for t in targets if t["type"] == "service_worker"
                         and t["url"].startswith(f"chrome-extension://{self.extension}/")), None)

        target = wait_for(worker, "the extension's service worker")
        self.worker = self.protocol.call("Target.attachToTarget", {"targetId": target, "flatten": True})["sessionId"]
        # The first evaluation may reach the worker before its script has run.
        wait_for(lambda: self.evaluate("typeof chrome == 'object' && typeof chrome.action == 'object'"),
                 "chrome.action in the worker")

    def evaluate(self, expression):
        """The value of an expression in the extension's service worker."""
        result = self.protocol.call("Runtime.evaluate", {"expression": expression, "awaitPromise": True,
                                                         "returnByValue": True}, sessionId=self.worker)
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def open_tab(self, url):
        """Opens url in a new tab and waits until it has loaded; returns the
        tab target and the extension's tab object for it."""
        self.protocol.call("Target.createTarget", {"url": url})

        def active_tab():
            tabs = self.protocol.call("Target.getTargets", {"filter": [{"type": "tab"}]})["targetInfos"]
            return next((t for t in tabs if t["embedderData"]["tabActive"] and t["url"] == url), None)

        target = wait_for(active_tab, f"a tab showing {url}")
        index = target["embedderData"]["tabStripIndex"]
        tab_id = self.evaluate(f"chrome.tabs.query({{index: {index}}}).then(tabs => tabs[0].id)")
        wait_for(lambda: self.evaluate(f"chrome.tabs.get({tab_id}).then(tab => tab.status)") == "complete",
                 f"{url} loaded")
        # The title as the user sees it, once the page has loaded.
        target = wait_for(active_tab, f"a tab showing {url}")
        return target["targetId"], {"id": tab_id, "index": index, "title": target["title"], "url": url}

    def button(self, tab_id):
        title = self.evaluate(f"chrome.action.getTitle({{tabId: {tab_id}}})")
        badge = self.evaluate(f"chrome.action.getBadgeText({{tabId: {tab_id}}})")
        return badge, title

    def close(self):
        self.protocol.call("Browser.close")


def run(program, *args, env, message=None):
    """Runs a program of the tree; with a message, as a browser starts a
    native messaging host, and returns its reply."""
    data = None
    if message is not None:
        text = json.dumps(message).encode()
        data = struct.pack("=I", len(text)) + text
    done = subprocess.run([program, *args], input=data, capture_output=True, env=env)
    print(f"{os.path.basename(program)} {' '.join(args)}: status {done.returncode} "
          f"{done.stderr.decode(errors='replace').strip()}", flush=True)
    if message is not None:
        (length,) = struct.unpack("=I", done.stdout[:4])
        return json.loads(done.stdout[4:4 + length])
    return done.returncode


def control_calls(log, start):
    """The (dispatch id, text) of each call the control logged past start."""
    if not os.path.exists(log):
        return [], start
    with open(log, encoding="utf-8") as f:
        f.seek(start)
        lines = f.read().splitlines()
        return [tuple(line.split("\t")[:2]) for line in lines], f.tell()


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    snaplet, register_control, extension, work = (os.path.abspath(a) for a in sys.argv[1:])
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    with browser_tmp(work) as tmp:
        save_pages(snaplet, register_control, extension, work, tmp)


def save_pages(snaplet, register_control, extension, work, tmp):
    home = os.path.join(work, "home")
    config = os.path.join(home, ".config")
    os.makedirs(config)
    log = os.path.join(work, "control.log")
    # Everything the browser, snaplet and the control read or write is the test's.
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=config, XDG_CACHE_HOME=os.path.join(home, ".cache"),
               TMPDIR=tmp,
               QC_CONTROL_LOG=log, QC_REGISTRY_FILE=os.path.join(work, "registry.reg"))
    check(run(snaplet, "--register", env=env) == 0, "snaplet --register")
    check(run(register_control, "register", env=env) == 0, "the recording control registered")

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), PageHandler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    site = f"http://127.0.0.1:{server.server_address[1]}"
    origin = f"chrome-extension://{extension_id(extension)}/"

    def unregister_control():
        check(run(register_control, "unregister", env=env) == 0, "the recording control unregistered")

    def unregister_snaplet():
        check(run(snaplet, "--unregister", env=env) == 0, "snaplet --unregister")

    saved = ("", BUTTON_TITLE)
    # name, what changes first, how the page is saved, page, calls the control gets, badge and title
    rows = [
        ("button on a page with a non-ASCII title", None, "button", site + "/unicode.htm",
         [(SET_TITLE, UNICODE_TITLE), (SAVE_DEFAULT, site + "/unicode.htm")], saved),
        ("button on a framed page: the top page's title and URL", None, "button", site + "/framed.htm",
         [(SET_TITLE, "Framed story"), (SAVE_DEFAULT, site + "/framed.htm")], saved),
        ("page menu, QuickSave", None, "quillary-quicksave", site + "/unicode.htm",
         [(SET_TITLE, UNICODE_TITLE), (SAVE_MODE1, site + "/unicode.htm")], saved),
        ("page menu, Save, on a framed page", None, "quillary-save", site + "/framed.htm",
         [(SET_TITLE, "Framed story"), (SAVE_DEFAULT, site + "/framed.htm")], saved),
        ("button on a browser page: no host started", None, "button", "chrome://version/", [], ("!", NOT_SENT)),
        ("page menu on a data: page: no host started", None, "quillary-quicksave",
         "data:text/html,<title>Data</title>", [], ("!", NOT_SENT)),
        ("button with the control not registered: the host's reason", unregister_control, "button",
         site + "/unicode.htm", [], ("!", HOST_REASON)),
        ("button after snaplet --unregister: the browser's words", unregister_snaplet, "button",
         site + "/unicode.htm", [], ("!", "Quillary: Specified native messaging host not found.")),
    ]

    browser_log = os.path.join(work, "browser.log")
    with open(browser_log, "wb") as browser_output:
        try:
            browser = Chromium(os.path.join(config, "chromium"), env, browser_output)
        except RuntimeError:
            with open(browser_log, encoding="utf-8", errors="replace") as f:
                print(f.read()[-4000:], end="")
            raise
        try:
            browser.load_extension(extension)
            check(origin == f"chrome-extension://{browser.extension}/",
                  f"the extension loaded with the id its key gives: {browser.extension}")
            # An item that is not there cannot be updated. The install event
            # that makes them may still be running.
            menu = "Promise.all(%s.map(id => chrome.contextMenus.update(id, {}).then(() => id, e => e.message)))"
            check(eventually(lambda: browser.evaluate(menu % json.dumps(MENU_ITEMS)) == MENU_ITEMS),
                  f"the page menu holds {MENU_ITEMS}: {browser.evaluate(menu % json.dumps(MENU_ITEMS))}")
            commands = browser.evaluate("chrome.commands.getAll()")
            check([(c["name"], c["shortcut"]) for c in commands] == [("_execute_action", "Alt+Shift+S")],
                  f"Alt+Shift+S clicks the button: {commands}")
            position = 0
            for name, before, how, url, calls, (badge, title) in rows:
                if before:
                    before()
                target, tab = browser.open_tab(url)
                # Every outcome sets the title, so a mark shows when it is there.
                browser.evaluate(f'chrome.action.setTitle({{tabId: {tab["id"]}, title: "pending"}})')
                if how == "button":
                    browser.protocol.call("Extensions.triggerAction", {"id": browser.extension, "targetId": target})
                else:
                    info = {"menuItemId": how, "pageUrl": url, "editable": False}
                    browser.evaluate(f"chrome.contextMenus.onClicked.dispatch({json.dumps(info)}, {json.dumps(tab)})")
                def outcome():
                    badge_and_title = browser.button(tab["id"])
                    return badge_and_title if badge_and_title[1] != "pending" else None

                shown = wait_for(outcome, f"the outcome of {name}")
                if title is HOST_REASON:
                    reply = run(snaplet, origin, env=env, message={"mode": 0, "title": tab["title"], "url": url})
                    title = "Quillary: " + reply.get("error", "")
                received, position = control_calls(log, position)
                check(received == calls, f"{name}: the control received {received}")
                check(shown == (badge, title), f"{name}: badge {shown[0]!r}, title {shown[1]!r}")
        finally:
            end_browser(browser.process, browser.close)
            server.shutdown()
    if failures:
        # What the host wrote on its standard error reached the browser's.
        with open(browser_log, encoding="utf-8", errors="replace") as f:
            print("".join(line for line in f if "snaplet" in line or "Sanitizer" in line), end="")
        sys.exit(f"{len(failures)} checks failed; see {work}")
    shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
