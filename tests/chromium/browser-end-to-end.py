#!/usr/bin/env python3
"""Foldmint against a real headless Chromium, as a user meets it: the
browser makes a profile with its own bookmarks; while it runs, Foldmint
changes nothing (status 6); with the browser closed, Foldmint puts the
product's folder in; the browser shows it first on the
bookmarks bar and first in Other bookmarks and everything else as before;
the user adds a bookmark in the browser; Foldmint takes the folder out;
the browser shows its original tree with the user's bookmark. Then, once
more installed, a link the user put into the bar's folder keeps that
folder (status 5) while the other one goes.

    python3 tests/chromium/browser-end-to-end.py <foldmint> <work dir>

The work directory is made anew and removed afterwards."""

import json
import os
import shutil
import subprocess
import sys

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, here)
from importlib import import_module  # noqa: E402

from devtools_pipe import Browser, plain_tree  # noqa: E402

profiles = import_module("make-profiles")

PRODUCT_DIR = "/opt/Quillary Pro/"
FOLDER = {
    "title": "Quillary",
    "children": [
        {"title": "Save", "url": "file:///opt/Quillary%20Pro/save.qyv"},
        {"title": "QuickSave", "url": "file:///opt/Quillary%20Pro/quick.kyv"},
        {"title": "Search", "url": "file:///opt/Quillary%20Pro/Quillary.htm"},
    ],
}
failures = []


def check(holds, what):
    print(("ok: " if holds else "FAILED: ") + what)
    if not holds:
        failures.append(what)


def browser_tree(user_data_dir, then=None):
    """The tree the browser shows right after start-up (bar, other, mobile),
    after which `then` may change it in the browser."""
    with Browser(user_data_dir) as browser:
        tree = [plain_tree(root) for root in browser.tree()[0]["children"]]
        if then:
            then(browser)
        browser.close()
    return tree


def run_foldmint(foldmint, work, *args):
    # A registry of its own, no terminal: nothing of the user's is read.
    env = dict(os.environ, QC_REGISTRY_FILE=os.path.join(work, "registry.reg"), HOME=work)
    done = subprocess.run([foldmint, *args], capture_output=True, text=True, env=env,
                          stdin=subprocess.DEVNULL)
    print(f"foldmint {' '.join(args[:1])}: status {done.returncode}: {done.stderr.strip()}")
    return done.returncode


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    foldmint, work = sys.argv[1], os.path.abspath(sys.argv[2])
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    try:
        user_data = os.path.join(work, "profile")
        bookmarks = profiles.make_profile(profiles.PROFILES["everyday"], user_data)
        original = browser_tree(user_data)
        bar, other = original[0]["children"], original[1]["children"]

        def install_while_running(browser):
            with open(bookmarks, "rb") as f:
                before = f.read()
            check(run_foldmint(foldmint, work, bookmarks, PRODUCT_DIR) == 6,
                  "install while the browser runs: status 6")
            with open(bookmarks, "rb") as f:
                check(f.read() == before, "the file unchanged while the browser runs")

        browser_tree(user_data, install_while_running)
        check(not os.path.exists(os.path.join(os.path.dirname(bookmarks), "bkmk.qyr")),
              "no backup made while the browser runs")

        check(run_foldmint(foldmint, work, bookmarks, PRODUCT_DIR) == 0, "install")

        def add_bookmark(browser):
            browser.bookmarks(
                'chrome.bookmarks.create({parentId: "2", title: "Added after the install",'
                ' url: "https://example.com/later"})'
            )

        installed = browser_tree(user_data, add_bookmark)
        print(json.dumps(installed[:2], ensure_ascii=False, indent=1))
        check(installed[0]["children"] == [FOLDER] + bar, "the folder first on the bar, the rest as before")
        check(installed[1]["children"] == [FOLDER] + other, "the folder first in other bookmarks, the rest as before")
        check(installed[2:] == original[2:], "mobile bookmarks as before")

        check(run_foldmint(foldmint, work, "--remove", bookmarks) == 0, "removal")
        removed = browser_tree(user_data)
        later = {"title": "Added after the install", "url": "https://example.com/later"}
        check(removed[0]["children"] == bar, "the bar as it was")
        check(removed[1]["children"] == other + [later], "other bookmarks as they were, with the user's bookmark")

        check(run_foldmint(foldmint, work, bookmarks, PRODUCT_DIR) == 0, "second install")

        def add_to_folder(browser):
            folder = browser.bookmarks("chrome.bookmarks.getChildren('1')")[0]["id"]
            browser.bookmarks(
                f'chrome.bookmarks.create({{parentId: {json.dumps(folder)}, title: "Mine",'
                ' url: "https://example.com/mine"})'
            )

        browser_tree(user_data, add_to_folder)
        check(run_foldmint(foldmint, work, "--remove", bookmarks) == 5, "removal with a changed folder: status 5")
        kept = browser_tree(user_data)
        changed_folder = dict(FOLDER, children=FOLDER["children"] + [{"title": "Mine", "url": "https://example.com/mine"}])
        check(kept[0]["children"] == [changed_folder] + bar, "the changed folder stays on the bar")
        check(kept[1]["children"] == other + [later], "the folder in other bookmarks goes")
    finally:
        shutil.rmtree(work, ignore_errors=True)
    if failures:
        sys.exit(f"{len(failures)} checks failed")


if __name__ == "__main__":
    main()
