#!/bin/sh
# Launcher wall time under Wine against fake_browser.exe for 1, 50 and 200
# windows, beside a minimal client that makes the same requests and nothing
# else, in the same run. Prints the mean of each and the ratio.
# Usage: sh bench/launcher/launcher-bench.sh [runs per point, default 10]
set -eu
cd "$(dirname "$0")/../.."
root=$(pwd)
runs=${1:-10}
build=$root/build/windows
cmake --preset windows >/dev/null
cmake --build --preset windows --target snaplet fake_browser_program minimal_dde_client \
  RecordingControl qc_register_control >/dev/null
sh cmake/wine-prefix.sh setup "$build/wineprefix"
run="$build/wine-run.sh"
winpath() { echo "Z:$1" | sed 's|/|\\|g'; }
work=$(mktemp -d /tmp/launcher-bench.XXXXXX)
"$run" "$build/testing/qc_register_control.exe" register
export QC_CONTROL_LOG="$(winpath "$work/control.log")"

now() { date +%s.%N; }
mean_of() {  # program, runs -> mean seconds per run
  start=$(now)
  i=0
  while [ "$i" -lt "$2" ]; do
    "$run" "$1" x1 >/dev/null 2>&1 || true
    i=$((i + 1))
  done
  end=$(now)
  echo "$start $end $2" | awk '{ printf "%.3f", ($2 - $1) / $3 }'
}

printf '%8s %14s %16s %7s\n' windows "Snaplet (s)" "minimal (s)" ratio
for k in 1 50 200; do
  script="$work/browser-$k.txt"
  : > "$script"
  i=1
  while [ "$i" -le "$k" ]; do
    if [ "$i" -eq 1 ]; then parent=-; else parent=$((i - 1)); fi
    echo "window $i \"http://bench.example/$i.htm\" \"Page $i\" \"\" parent=$parent" >> "$script"
    i=$((i + 1))
  done
  echo "current $k" >> "$script"
  "$run" "$build/testing/fake_browser.exe" --script "$(winpath "$script")" --seconds 600 \
    --ready-event "qc_bench_ready_$k" --stop-event "qc_bench_stop_$k" &
  browser=$!
  sleep 3
  # One run of each first, so that both start warm.
  "$run" "$build/launcher/Snaplet.exe" x1 >/dev/null 2>&1 || true
  "$run" "$build/bench/launcher/minimal_dde_client.exe" >/dev/null 2>&1 || true
  launcher=$(mean_of "$build/launcher/Snaplet.exe" "$runs")
  minimal=$(mean_of "$build/bench/launcher/minimal_dde_client.exe" "$runs")
  printf '%8s %14s %16s %7s\n' "$k" "$launcher" "$minimal" \
    "$(echo "$launcher $minimal" | awk '{ printf "%.2f", $1 / $2 }')"
  kill "$browser" 2>/dev/null || true
  wait "$browser" 2>/dev/null || true
done
WINEPREFIX="$build/wineprefix" wineserver -w
rm -rf "$work"
