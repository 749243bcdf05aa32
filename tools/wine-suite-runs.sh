#!/bin/sh
# Runs the Windows suite (`ctest --preset windows`, on the build tree that
# `cmake --preset windows` made) the given number of times in a row (default
# 10) and prints one line per run: its result, its time, and the times of
# the prefix's set-up and of the recording control's registration. Further
# arguments go to ctest (e.g. -j2). With --beside-wine another Wine program
# runs in a loop meanwhile, in a prefix of its own under the build tree.
# Logs: build/windows/suite-runs/run-<n>.log. Exits non-zero when a run failed.
#
#   sh tools/wine-suite-runs.sh [--beside-wine] [runs [ctest arguments...]]
set -u
cd "$(dirname "$0")/.." || exit 1
beside=no
if [ "${1:-}" = --beside-wine ]; then
  beside=yes
  shift
fi
runs="${1:-10}"
case "$runs" in
  '' | *[!0-9]*)
    echo "usage: sh tools/wine-suite-runs.sh [--beside-wine] [runs [ctest arguments...]]" >&2
    exit 2
    ;;
esac
[ $# -gt 0 ] && shift

build=build/windows
logs=$build/suite-runs
rm -rf "$logs"
mkdir -p "$logs"

if [ $beside = yes ]; then
  other=$build/other-wineprefix
  sh cmake/wine-prefix.sh setup "$other" >/dev/null 2>&1 || exit 1
  # Each start of the other program starts and ends a Wine session of its own.
  (while [ ! -f "$logs/stop" ]; do
    sh cmake/wine-prefix.sh run "$other" cmd /c exit >/dev/null 2>&1
  done) &
  loop=$!
  trap 'touch "$logs/stop"; wait $loop; sh cmake/wine-prefix.sh shutdown "$other"' EXIT
fi

# The time CTest gives for one test of the log, "-" when it did not run.
test_time() {
  sed -n "s/.*Test *#[0-9]*: $2 \.*[^0-9]*\([0-9.]*\) sec.*/\1 s/p" "$1" | grep . || echo -
}

failed=0
run=1
while [ "$run" -le "$runs" ]; do
  log=$logs/run-$run.log
  start=$(date +%s)
  if ctest --preset windows "$@" >"$log" 2>&1; then
    result=passed
  else
    result=FAILED
    failed=$((failed + 1))
  fi
  echo "run $run: $result in $(($(date +%s) - start)) s;" \
    "set-up $(test_time "$log" wine_prefix_setup)," \
    "registration $(test_time "$log" recording_control_register);" \
    "$(grep -E 'tests passed|tests failed' "$log" | head -1)"
  run=$((run + 1))
done
echo "$failed of $runs runs failed"
[ "$failed" -eq 0 ]
