#!/usr/bin/env python3
"""Firefox takes the extension as it is in the tree: a headless Firefox ESR
on a fresh profile installs the extension folder through WebDriver BiDi
(webExtension.install), which answers with the extension's Firefox id, or
with the reason the manifest is refused. Then its toolbar button is
clicked on a data: page, from the browser's own window (which BiDi reaches
with --remote-allow-system-access, through Firefox's internal extension
modules): the background script runs in Firefox and marks the button
without starting a host.

    python3 tests/extension/firefox-extension.py <extension dir> <work dir>

The work directory is made anew, and kept only when a check failed."""

import json
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from support import check, end_browser, failures, wait_for  # noqa: E402
from websocket import WebSocket  # noqa: E402

FIREFOX_ID = "snaplet@quillary"
# Clicks the button for the selected tab, and tells what the button then
# shows and what Firefox said of the manifest.
CLICK = """(async () => {
  const {ExtensionParent} = ChromeUtils.importESModule("resource://gre/modules/ExtensionParent.sys.mjs");
  const extension = ExtensionParent.GlobalManager.getExtension(%s);
  const button = ExtensionParent.apiManager.global.browserActionFor(extension);
  const tab = gBrowser.selectedTab;
  button.triggerAction(window);
  for (let i = 0; i < 100 && button.action.getProperty(tab, "title") === "Save to Quillary"; i++) {
    await new Promise(done => setTimeout(done, 100));
  }
  return JSON.stringify({badge: button.action.getProperty(tab, "badgeText"),
                         title: button.action.getProperty(tab, "title"), warnings: extension.warnings});
})()""" % json.dumps(FIREFOX_ID)
# Nothing of the browser's own reaches out at start-up: this machine has no
# network, and the test needs none.
PREFERENCES = {
    "app.update.disabledForTesting": True,
    "browser.shell.checkDefaultBrowser": False,
    "browser.startup.homepage_override.mstone": "ignore",
    "datareporting.policy.dataSubmissionEnabled": False,
    "toolkit.telemetry.reportingpolicy.firstRun": False,
    "extensions.update.enabled": False,
    "extensions.getAddons.cache.enabled": False,
    "browser.safebrowsing.update.enabled": False,
    "network.captive-portal-service.enabled": False,
    "network.connectivity-service.enabled": False,
    "services.settings.server": "http://127.0.0.1:9/",
}


def browser_program():
    for candidate in ("/usr/lib/firefox-esr/firefox-esr", shutil.which("firefox-esr")):
        if candidate and os.access(candidate, os.X_OK):
            return candidate
    sys.exit("firefox-esr is not installed (sh tools/setup.sh installs it)")


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    extension, work = (os.path.abspath(a) for a in sys.argv[1:])
    shutil.rmtree(work, ignore_errors=True)
    profile = os.path.join(work, "profile")
    os.makedirs(profile)
    os.makedirs(os.path.join(work, "tmp"))
    with open(os.path.join(profile, "user.js"), "w") as f:
        f.writelines(f"user_pref({json.dumps(k)}, {json.dumps(v)});\n" for k, v in PREFERENCES.items())

    # The browser writes nothing outside the work directory.
    env = dict(os.environ, HOME=work, TMPDIR=os.path.join(work, "tmp"), XDG_CONFIG_HOME=os.path.join(work, ".config"),
               XDG_CACHE_HOME=os.path.join(work, ".cache"))
    with open(os.path.join(work, "browser.log"), "wb") as log:
        process = subprocess.Popen(
            [browser_program(), "--headless", "--no-remote", "--profile", profile, "--remote-debugging-port", "0",
             "--remote-allow-system-access"],
            stdout=log, stderr=subprocess.STDOUT, env=env)
        protocol = None
        try:
            # With port 0 the browser names the port it took in the profile.
            server_file = os.path.join(profile, "WebDriverBiDiServer.json")

            def port():
                if process.poll() is not None:
                    raise RuntimeError(f"the browser ended with status {process.returncode}")
                try:
                    with open(server_file) as f:
                        return json.load(f)["ws_port"]
                except (OSError, ValueError, KeyError):
                    return None

            protocol = WebSocket(wait_for(port, "the browser's BiDi port"), "/session")
            protocol.call("session.new", {"capabilities": {}})
            try:
                installed = protocol.call("webExtension.install",
                                          {"extensionData": {"type": "path", "path": extension}})["extension"]
            except RuntimeError as refusal:
                installed = str(refusal)
            check(installed == FIREFOX_ID, f"webExtension.install of {extension}: {installed}")

            page = protocol.call("browsingContext.getTree")["contexts"][0]["context"]
            protocol.call("browsingContext.navigate",
                          {"context": page, "url": "data:text/html,<title>Data</title>", "wait": "complete"})
            window = protocol.call("browsingContext.getTree", {"moz:scope": "chrome"})["contexts"][0]["context"]
            shown = json.loads(protocol.call("script.evaluate", {"expression": CLICK, "target": {"context": window},
                                                                 "awaitPromise": True})["result"]["value"])
            check((shown["badge"], shown["title"]) == ("!", "Quillary: this page cannot be saved"),
                  f"the button on a data: page: badge {shown['badge']!r}, title {shown['title']!r}")
            # Firefox has no use for the Chromium family's key, and says so.
            check(all("processing key:" in warning for warning in shown["warnings"]),
                  f"Firefox's warnings on the manifest: {shown['warnings']}")
        finally:
            end_browser(process, lambda: protocol and protocol.call("browser.close"))
    if failures:
        sys.exit(f"{len(failures)} checks failed; see {work}")
    shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
