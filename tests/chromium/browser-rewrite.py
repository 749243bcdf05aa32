#!/usr/bin/env python3
"""Has a real headless Chromium read a Bookmarks file and write it anew, so
that its own checksum and writing of a tree can be compared with ours.

    python3 tests/chromium/browser-rewrite.py <Bookmarks in> <Bookmarks out> [<tree.json>]

The browser starts on a fresh profile holding the given file, renames a
bookmark and renames it back (it writes its file only after a change; a
title change moves no folder's date), and quits. Its rewrite goes to <Bookmarks out>; with <tree.json>, the tree
it showed through chrome.bookmarks.getTree() right after start-up goes
there too. The profile lives in a scratch directory beside the output and
is removed afterwards."""

import json
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from devtools_pipe import Browser  # noqa: E402


def rewrite(source, target, tree_file=None):
    scratch = tempfile.mkdtemp(dir=os.path.dirname(os.path.abspath(target)))
    try:
        profile = os.path.join(scratch, "Default")
        os.makedirs(profile)
        shutil.copyfile(source, os.path.join(profile, "Bookmarks"))
        with Browser(scratch) as browser:
            tree = browser.tree()
            nodes = [node for root in tree[0]["children"] for node in root.get("children", [])]
            if not nodes:
                raise SystemExit(f"{source}: no bookmark to rename")
            node = json.dumps(nodes[0]["id"])
            browser.bookmarks(f'chrome.bookmarks.update({node}, {{title: "renamed"}})')
            browser.bookmarks(f"chrome.bookmarks.update({node}, {{title: {json.dumps(nodes[0]['title'])}}})")
            browser.close()
        shutil.copyfile(os.path.join(profile, "Bookmarks"), target)
        if tree_file:
            with open(tree_file, "w", encoding="utf-8") as out:
                json.dump(tree, out, ensure_ascii=False, indent=1)
        return tree
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    rewrite(*sys.argv[1:])
