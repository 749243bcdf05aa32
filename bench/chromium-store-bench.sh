#!/bin/sh
# Times the Chromium-family store's install and removal on a 50 MB
# Bookmarks file (as a program does it: read the file, change the text,
# write it) next to a plain copy of the same file, and prints each one's
# peak memory.
#   sh bench/chromium-store-bench.sh [MB]
# Builds an optimised store driver without sanitizers in
# build/chromium-bench; files go to build/chromium-bench/files.
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
megabytes=${1:-50}
build=$repo/build/chromium-bench
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 1; }
cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQC_SANITIZE=OFF >/dev/null
cmake --build "$build" --target chromium_store_driver -j2 >/dev/null
driver=$build/tests/chromium/chromium_store_driver
work=$build/files
mkdir -p "$work"
source=$work/Bookmarks-$megabytes
[ -f "$source" ] || python3 "$repo/bench/chromium/generate-bookmarks.py" "$megabytes" >"$source"
cp "$source" "$work/Bookmarks"

# Prints "<seconds> s, peak <MB> MB" for a command.
measure() {
  /usr/bin/time -f '%e %M' -o "$work/time.txt" "$@" >/dev/null
  awk '{ printf "%s s, peak %.0f MB\n", $1, $2 / 1024 }' "$work/time.txt"
}

echo "file: $(stat -c %s "$source") bytes"
echo "copy:    $(measure cp "$source" "$work/copy")"
echo "install: $(measure "$driver" install "$work/Bookmarks" /opt/Quillary/)"
echo "install again (nothing to do): $(measure "$driver" install "$work/Bookmarks" /opt/Quillary/)"
echo "remove:  $(measure "$driver" remove "$work/Bookmarks")"
cmp -s "$work/Bookmarks" "$work/copy" && echo "removal gave back the original file byte for byte" || echo "removal did NOT give back the original file"
rm -f "$work/copy" "$work/Bookmarks" "$work/time.txt"
