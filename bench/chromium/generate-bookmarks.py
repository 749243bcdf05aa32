#!/usr/bin/env python3
"""Writes a Chromium-family Bookmarks file of about the given size in MB,
laid out as the browser writes it: folders of 50 bookmarks, three levels
deep, names with non-ASCII letters, and the browser's checksum.

    python3 bench/chromium/generate-bookmarks.py <MB> > Bookmarks"""

import hashlib
import json
import sys


def write(value, depth, out):
    if isinstance(value, dict):
        out.append("{\n")
        items = list(value.items())
        for i, (key, member) in enumerate(items):
            out.append("   " * (depth + 1) + json.dumps(key) + ": ")
            write(member, depth + 1, out)
            out.append(",\n" if i + 1 < len(items) else "\n")
        out.append("   " * depth + "}")
    elif isinstance(value, list):
        out.append("[ ")
        for i, element in enumerate(value):
            if i:
                out.append(", ")
            write(element, depth, out)
        out.append(" ]")
    else:
        out.append(json.dumps(value, ensure_ascii=False).replace("<", "\\u003C"))


def checksum_input(node, out):
    out.append(node["id"].encode() + node["name"].encode("utf-16-le"))
    if node["type"] == "url":
        out.append(b"url" + node["url"].encode())
    else:
        out.append(b"folder")
        for child in node["children"]:
            checksum_input(child, out)


def main():
    target = int(sys.argv[1]) * 1024 * 1024
    next_id = [4]

    def node(**members):
        members["date_added"] = "13441221712471921"
        members["date_last_used"] = "0"
        members["guid"] = "f811ae2c-2e19-4bed-9f08-%012x" % next_id[0]
        members["id"] = str(next_id[0])
        next_id[0] += 1
        return dict(sorted(members.items()))

    def folder(level):
        children = []
        for i in range(50):
            if level < 2 and i % 10 == 0:
                children.append(folder(level + 1))
            else:
                children.append(node(name=f"Größe {next_id[0]} — página", type="url",
                                     url=f"https://example.com/{next_id[0]}/index.html"))
        made = node(children=children, name=f"Ordner {next_id[0]}", type="folder")
        made["date_modified"] = made["date_added"]
        return dict(sorted(made.items()))

    bar = []
    size = 0
    while size < target:
        bar.append(folder(0))
        size += 590 * 1024  # about the bytes of one top folder as written
    roots = {
        "bookmark_bar": {"children": bar, "id": "1", "name": "Bookmarks bar", "type": "folder"},
        "other": {"children": [], "id": "2", "name": "Other bookmarks", "type": "folder"},
        "synced": {"children": [], "id": "3", "name": "Mobile bookmarks", "type": "folder"},
    }
    digest_input = []
    for root in roots.values():
        checksum_input(root, digest_input)
    checksum = hashlib.md5(b"".join(digest_input)).hexdigest()
    out = []
    write({"checksum": checksum, "roots": roots, "version": 1}, 0, out)
    out.append("\n")
    sys.stdout.write("".join(out))


if __name__ == "__main__":
    main()
