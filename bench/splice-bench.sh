#!/bin/sh
# Times the native splice of 10 MB and 100 MB bookmark files next to a plain
# copy of the same file twice (a backup and a rewrite, the least any splice
# does), made as durable as the splice makes its files. Prints the ratio,
# the peak memory and how time grows from 10 to 100 MB.
#   sh bench/splice-bench.sh [path/to/foldmint]
# Without a program it builds an optimised one without sanitizers in
# build/h3-bench. Files go to build/splice-bench. Also times the removal of
# the folder from the spliced file (foldmint --remove), next to the same
# copy and to the splice; its goals are at most 1.2 times the splice's time
# and a peak of the file's size and 16 MB.
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-}
if [ -z "$program" ]; then
  cmake -S "$repo" -B "$repo/build/h3-bench" -DCMAKE_BUILD_TYPE=Release -DQC_SANITIZE=OFF >/dev/null
  cmake --build "$repo/build/h3-bench" --target foldmint -j2 >/dev/null
  program="$repo/build/h3-bench/installer/foldmint"
fi
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 1; }
work=$repo/build/splice-bench
rounds=3
mkdir -p "$work"

now() { date +%s.%N; }
calc() { awk "BEGIN { print $1 }"; }

# Runs a command under /usr/bin/time -v; prints "wall-seconds peak-kB cpu-seconds".
measure() {
  start=$(now)
  /usr/bin/time -v -o "$work/time.txt" "$@" >/dev/null
  end=$(now)
  peak=$(sed -n 's/^[[:space:]]*Maximum resident set size (kbytes): //p' "$work/time.txt")
  user=$(sed -n 's/^[[:space:]]*User time (seconds): //p' "$work/time.txt")
  system=$(sed -n 's/^[[:space:]]*System time (seconds): //p' "$work/time.txt")
  echo "$(calc "$end - $start") $peak $(calc "$user + $system")"
}

best() { sort -n | head -1; }

for links in 100000 1000000; do
  dir="$work/$links"
  mkdir -p "$dir/src"
  if [ ! -f "$dir/src/bookmark.htm" ]; then
    awk -v links=$links -f "$repo/bench/generate-bookmarks.awk" >"$dir/src/bookmark.htm"
  fi
  printf 'user_pref("browser.startup.homepage", "http://www.example.com/");\r\n' >"$dir/src/prefs.js"
  bytes=$(stat -c %s "$dir/src/bookmark.htm")

  : >"$dir/splice.txt"
  : >"$dir/remove.txt"
  : >"$dir/copy.txt"
  for round in $(seq $rounds); do
    rm -rf "$dir/run" && mkdir "$dir/run"
    cp "$dir/src/bookmark.htm" "$dir/src/prefs.js" "$dir/run/"
    sync
    measure "$program" "$dir/run/bookmark.htm" /opt/Quillary/ >>"$dir/splice.txt"
    grep -q 'Quillary/save.qyv' "$dir/run/bookmark.htm" || { echo "splice did not happen" >&2; exit 1; }
    sync
    measure "$program" --remove "$dir/run/bookmark.htm" >>"$dir/remove.txt"
    cmp -s "$dir/run/bookmark.htm" "$dir/src/bookmark.htm" || { echo "removal did not give the file back" >&2; exit 1; }

    rm -rf "$dir/copy" && mkdir "$dir/copy"
    sync
    measure sh -c 'cp "$1" "$2/a" && cp "$1" "$2/b" && sync "$2/a" "$2/b" "$2"' sh \
      "$dir/src/bookmark.htm" "$dir/copy" >>"$dir/copy.txt"
  done
  splice=$(best <"$dir/splice.txt")
  copy=$(best <"$dir/copy.txt")
  removal=$(best <"$dir/remove.txt")
  set -- $splice
  splice_s=$1 splice_kb=$2 splice_cpu=$3
  set -- $copy
  copy_s=$1 copy_kb=$2 copy_cpu=$3
  printf '%8d links, %5.1f MB: splice %.3f s (cpu %.2f s, peak %d MB), copy twice %.3f s (cpu %.2f s, peak %d MB), ratio %.2f\n' \
    $links "$(calc "$bytes / 1048576")" $splice_s $splice_cpu $((splice_kb / 1024)) \
    $copy_s $copy_cpu $((copy_kb / 1024)) "$(calc "$splice_s / $copy_s")"
  set -- $removal
  # Goals: no slower than 1.2 splices, and no more memory than the file and 16 MB.
  printf '%8s                  removal %.3f s (cpu %.2f s, peak %d MB), ratio to copy twice %.2f, to the splice %.2f (goal 1.2), peak over the file %d MB (goal 16)\n' \
    "" $1 $3 $(($2 / 1024)) "$(calc "$1 / $copy_s")" "$(calc "$1 / $splice_s")" \
    $((($2 * 1024 - bytes) / 1048576))
  eval "splice_$links=$splice_s"
done
printf 'growth from 10 to 100 MB: splice time x %.2f (linear: x 10)\n' \
  "$(calc "$splice_1000000 / $splice_100000")"
rm -rf "$work"/*/run "$work"/*/copy
