#!/usr/bin/env python3
"""Makes the Bookmarks files of tests/chromium/data with a real headless
Chromium: each profile starts empty, gets its bookmarks through
chrome.bookmarks.create as the bookmark manager makes them, and the browser
writes the file when it quits.

    python3 tests/chromium/make-profiles.py <output dir> [<scratch dir>]

Writes <output dir>/<profile>.json for each profile below. The scratch
directory (default: a new one beside the output) holds the browser's user
data directories and is removed afterwards."""

import json
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from devtools_pipe import Browser  # noqa: E402

BAR, OTHER = "1", "2"

# Each step: (parent, title, url or None for a folder, children).
PROFILES = {
    # Non-ASCII names, nested folders, a file: URL and a plain bookmark
    # named like the product's folder.
    "everyday": [
        (BAR, "Debian — the universal operating system", "https://www.debian.org/", []),
        (BAR, "Quillary", "https://example.com/quillary-news", []),
        (BAR, "Arbeit & Büro", None, [
            ("Größenänderung", "https://example.com/gr%C3%B6%C3%9Fe", []),
            ("Projekte 项目", None, [
                ("日本語のページ", "https://example.jp/", []),
                ("Local notes", "file:///home/ann/My%20Notes/index.html", []),
            ]),
        ]),
        (BAR, "Emoji 🔖 \"quoted\" <tag> & back\\slash", "https://example.org/?q=a&b=%20c", []),
        (OTHER, "Wikipedia", "https://en.wikipedia.org/wiki/Main_Page", []),
        (OTHER, "Empty folder", None, []),
        (OTHER, "Ελληνικά", "https://example.gr/", []),
    ],
    # A fresh profile whose user made one bookmark and took it out again:
    # every root empty.
    "emptied": "emptied",
    # A user folder titled like the product's, holding other links.
    "user-quillary-folder": [
        (BAR, "Quillary", None, [
            ("My own page", "https://example.com/mine", []),
            ("Save", "file:///C:/Program%20Files/Quillary/save.qyv", []),
        ]),
        (OTHER, "News", "https://example.com/news", []),
    ],
}


def create(browser, parent, title, url, children):
    details = {"parentId": parent, "title": title}
    if url is not None:
        details["url"] = url
    made = browser.bookmarks(f"chrome.bookmarks.create({json.dumps(details)})")
    for child in children:
        create(browser, made["id"], *child)


def make_profile(steps, user_data_dir):
    with Browser(user_data_dir) as browser:
        if steps == "emptied":
            made = browser.bookmarks(
                'chrome.bookmarks.create({parentId: "1", title: "x", url: "https://example.com/"})'
            )
            browser.bookmarks(f"chrome.bookmarks.remove({json.dumps(made['id'])})")
        else:
            for step in steps:
                create(browser, *step)
        browser.close()
    return os.path.join(user_data_dir, "Default", "Bookmarks")


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    output = sys.argv[1]
    os.makedirs(output, exist_ok=True)
    scratch = sys.argv[2] if len(sys.argv) == 3 else tempfile.mkdtemp(dir=output)
    try:
        for name, steps in PROFILES.items():
            written = make_profile(steps, os.path.join(scratch, name))
            shutil.copyfile(written, os.path.join(output, name + ".json"))
            print(f"{name}: {os.path.getsize(written)} bytes")
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
