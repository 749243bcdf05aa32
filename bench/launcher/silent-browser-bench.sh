#!/bin/sh
# How long Snaplet.exe (the shipped program, with its 60000 ms per request)
# keeps the user waiting against a browser that lists its windows and
# answers window information but never answers a frame-parent request.
# Prints the time to the message box and the requests the browser received.
# Usage: sh bench/launcher/silent-browser-bench.sh [windows, default 2]
set -eu
cd "$(dirname "$0")/../.."
root=$(pwd)
windows=${1:-2}
build=$root/build/windows
cmake --preset windows >/dev/null
cmake --build --preset windows --target snaplet fake_browser_program RecordingControl \
  qc_register_control qc_message_box_driver >/dev/null
prefix=$build/bench-wineprefix
work=$root/build/bench-silent
rm -rf "$work"
mkdir -p "$work"
trap 'sh cmake/wine-prefix.sh shutdown "$prefix"; rm -rf "$work"' EXIT
sh cmake/wine-prefix.sh setup "$prefix" >/dev/null 2>&1
run() { sh cmake/wine-prefix.sh run "$prefix" "$@"; }
winpath() { echo "Z:$1" | sed 's|/|\\|g'; }

# Window 1 is the top, every further one a frame of the one before; the
# current window is the last, so the launcher must climb.
i=1
while [ "$i" -le "$windows" ]; do
  if [ "$i" -eq 1 ]; then parent=-; else parent=$((i - 1)); fi
  echo "window $i \"http://bench.example/$i.htm\" \"Page $i\" \"\" parent=$parent" >>"$work/browser.txt"
  i=$((i + 1))
done
echo "current $windows" >>"$work/browser.txt"
echo "misbehave silent WWW_GetFrameParent" >>"$work/browser.txt"

run "$build/testing/qc_register_control.exe" register
run "$build/testing/fake_browser.exe" --script "$(winpath "$work/browser.txt")" \
  --counters "$(winpath "$work/counters.txt")" --seconds 900 \
  --ready-event qc_bench_ready --stop-event qc_bench_stop &
browser=$!
sleep 5
start=$(date +%s.%N)
run "$build/launcher/Snaplet.exe" x1 &
launcher=$!
run "$build/testing/qc_message_box_driver.exe" --timeout 900000 --out "$(winpath "$work/box.txt")"
wait "$launcher" || true
end=$(date +%s.%N)
kill "$browser" 2>/dev/null || true
wait "$browser" 2>/dev/null || true
echo "$windows windows, silent on frame parents: $(echo "$start $end" | awk '{ printf "%.1f", $2 - $1 }') s to the message box"
echo "message box: $(tr -d '\r' <"$work/box.txt" | tr '\n' ' ')"
echo "requests received: $(tr -d '\r' <"$work/counters.txt" | tr '\n' ' ')"
