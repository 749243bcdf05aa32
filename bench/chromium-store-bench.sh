#!/bin/sh
# Times Foldmint on a Chromium-family Bookmarks file of about 50 MB (the
# install, an install with nothing to do, the removal), next to a plain copy
# of the file and to the HTML splice of a bookmark.htm of about the same
# size, and prints each one's wall time, CPU time and peak memory, then
# whether the store keeps its goals: each run at most 1.5 times the HTML
# splice, a peak of at most the file's size plus 32 MB.
#   sh bench/chromium-store-bench.sh [MB [baseline commit]]
# With a baseline commit, the foldmint of that commit is built too and
# timed on the same files in the same run, before the current one.
# Builds optimised programs without sanitizers in build/chromium-bench;
# files go to build/chromium-bench/files.
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
megabytes=${1:-50}
baseline=${2:-}
build=$repo/build/chromium-bench
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 1; }
cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQC_SANITIZE=OFF >/dev/null
cmake --build "$build" --target foldmint -j2 >/dev/null
work=$build/files
mkdir -p "$work"
source=$work/Bookmarks-$megabytes
[ -f "$source" ] || python3 "$repo/bench/chromium/generate-bookmarks.py" "$megabytes" >"$source"
html=$work/bookmark-$megabytes.htm
# About 100 bytes a link.
[ -f "$html" ] || awk -v links=$((megabytes * 10000)) -f "$repo/bench/generate-bookmarks.awk" >"$html"

# Runs a command; its wall time, CPU time and peak go to $work/time.txt.
run() {
  QC_REGISTRY_FILE=$work/registry.reg /usr/bin/time -f '%e %U %S %M' -o "$work/time.txt" \
    "$@" </dev/null >/dev/null
}
# Prints "<wall> s (CPU <user+system> s), peak <MB> MB" for the last run.
figures() {
  awk '{ printf "%s s (CPU %.2f s), peak %.0f MB\n", $1, $2 + $3, $4 / 1024 }' "$work/time.txt"
}
wall() { awk '{ print $1 }' "$work/time.txt"; }
peak() { awk '{ print $4 * 1024 }' "$work/time.txt"; }

fresh() {
  rm -rf "$work/profile" && mkdir "$work/profile"
  cp "$1" "$work/profile/$2"
  sync
}

# The HTML splice first: it is what the store is measured against.
echo "bookmark.htm: $(stat -c %s "$html") bytes"
fresh "$html" bookmark.htm
run cp "$html" "$work/copy"
echo "  copy:          $(figures)"
run "$build/installer/foldmint" "$work/profile/bookmark.htm" /opt/Quillary/
echo "  HTML splice:   $(figures)"
splice=$(wall)
run "$build/installer/foldmint" --remove "$work/profile/bookmark.htm"
echo "  HTML removal:  $(figures)"

size=$(stat -c %s "$source")
# Times one foldmint on the store; with "goals", checks them.
store() {
  foldmint=$1
  fresh "$source" Bookmarks
  run cp "$source" "$work/copy"
  echo "  copy:          $(figures)"
  missed=""
  for step in install again removal; do
    case $step in
      install) run "$foldmint" "$work/profile/Bookmarks" /opt/Quillary/ ;;
      again) run "$foldmint" "$work/profile/Bookmarks" /opt/Quillary/ ;;
      removal) run "$foldmint" --remove "$work/profile/Bookmarks" ;;
    esac
    label=$(printf '%-14s' "$step:")
    echo "  $label $(figures)"
    if ! awk -v t="$(wall)" -v s="$splice" 'BEGIN { exit !(t <= 1.5 * s) }'; then
      missed="$missed $step:time"
    fi
    if [ "$(peak)" -gt $((size + 32 * 1024 * 1024)) ]; then
      missed="$missed $step:memory"
    fi
  done
  cmp -s "$work/profile/Bookmarks" "$source" &&
    echo "  removal gave back the original file byte for byte" ||
    echo "  removal did NOT give back the original file"
  if [ "${2:-}" = goals ]; then
    [ -z "$missed" ] && echo "  goals kept: each run at most 1.5 x the HTML splice, peak at most file + 32 MB" ||
      echo "  goals missed:$missed"
  fi
}

echo "Bookmarks: $size bytes"
if [ -n "$baseline" ]; then
  old=$build/baseline-$baseline
  if [ ! -x "$old/build/installer/foldmint" ]; then
    rm -rf "$old/src" && mkdir -p "$old/src"
    git -C "$repo" archive "$baseline" | tar -x -C "$old/src"
    cmake -S "$old/src" -B "$old/build" -DCMAKE_BUILD_TYPE=Release -DQC_SANITIZE=OFF >/dev/null
    cmake --build "$old/build" --target foldmint -j2 >/dev/null
  fi
  echo " foldmint of $baseline:"
  store "$old/build/installer/foldmint"
  echo " foldmint of this tree:"
fi
store "$build/installer/foldmint" goals
rm -rf "$work/copy" "$work/profile" "$work/time.txt" "$work/registry.reg"
