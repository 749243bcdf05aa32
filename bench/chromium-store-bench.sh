#!/bin/sh
# Times Foldmint on a Chromium-family Bookmarks file of about 50 MB (the
# install, an install with nothing to do, the removal), next to a plain copy
# of the file and to the HTML splice of a bookmark.htm of about the same
# size, and prints each one's wall time, CPU time and peak memory.
#   sh bench/chromium-store-bench.sh [MB]
# Builds an optimised foldmint without sanitizers in build/chromium-bench;
# files go to build/chromium-bench/files.
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
megabytes=${1:-50}
build=$repo/build/chromium-bench
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 1; }
cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQC_SANITIZE=OFF >/dev/null
cmake --build "$build" --target foldmint -j2 >/dev/null
foldmint=$build/installer/foldmint
work=$build/files
mkdir -p "$work"
source=$work/Bookmarks-$megabytes
[ -f "$source" ] || python3 "$repo/bench/chromium/generate-bookmarks.py" "$megabytes" >"$source"
html=$work/bookmark-$megabytes.htm
# About 100 bytes a link.
[ -f "$html" ] || awk -v links=$((megabytes * 10000)) -f "$repo/bench/generate-bookmarks.awk" >"$html"

# Prints "<wall> s (CPU <user+system> s), peak <MB> MB" for a command; the
# program reads no registry or terminal of the user's.
measure() {
  QC_REGISTRY_FILE=$work/registry.reg /usr/bin/time -f '%e %U %S %M' -o "$work/time.txt" \
    "$@" </dev/null >/dev/null
  awk '{ printf "%s s (CPU %.2f s), peak %.0f MB\n", $1, $2 + $3, $4 / 1024 }' "$work/time.txt"
}

fresh() {
  rm -rf "$work/profile" && mkdir "$work/profile"
  cp "$1" "$work/profile/$2"
  sync
}

echo "Bookmarks: $(stat -c %s "$source") bytes"
fresh "$source" Bookmarks
echo "  copy:          $(measure cp "$source" "$work/copy")"
echo "  install:       $(measure "$foldmint" "$work/profile/Bookmarks" /opt/Quillary/)"
echo "  install again: $(measure "$foldmint" "$work/profile/Bookmarks" /opt/Quillary/) (nothing to do)"
echo "  removal:       $(measure "$foldmint" --remove "$work/profile/Bookmarks")"
cmp -s "$work/profile/Bookmarks" "$source" &&
  echo "  removal gave back the original file byte for byte" ||
  echo "  removal did NOT give back the original file"

echo "bookmark.htm: $(stat -c %s "$html") bytes"
fresh "$html" bookmark.htm
echo "  copy:          $(measure cp "$html" "$work/copy")"
echo "  HTML splice:   $(measure "$foldmint" "$work/profile/bookmark.htm" /opt/Quillary/)"
echo "  HTML removal:  $(measure "$foldmint" --remove "$work/profile/bookmark.htm")"
rm -rf "$work/copy" "$work/profile" "$work/time.txt" "$work/registry.reg"
