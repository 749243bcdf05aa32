#!/usr/bin/env python3
"""Makes data/everyday.installed.json: our install of data/everyday.json
(the tests' fixed time and random source, product directory
"/C:/Program Files/Quillary/", whose links read as those of
"C:\\Program Files\\Quillary\\" on Windows), then read and written anew by
a real headless Chromium. The tests expect our install to give exactly the
browser's bytes, so the browser's checksum for our tree is ours.

    python3 tests/chromium/make-expected.py <chromium_store_driver>"""

import os
import shutil
import subprocess
import sys
import tempfile

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, here)
from importlib import import_module  # noqa: E402

rewrite = import_module("browser-rewrite").rewrite


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    data = os.path.join(here, "data")
    scratch = tempfile.mkdtemp(dir=data)
    try:
        ours = os.path.join(scratch, "Bookmarks")
        shutil.copyfile(os.path.join(data, "everyday.json"), ours)
        subprocess.run([sys.argv[1], "install", ours, "/C:/Program Files/Quillary/", "--repeatable"],
                       check=True)
        target = os.path.join(data, "everyday.installed.json")
        rewrite(ours, target)
        with open(ours, "rb") as a, open(target, "rb") as b:
            print("browser's rewrite", "equals" if a.read() == b.read() else "DIFFERS FROM", "ours")
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
