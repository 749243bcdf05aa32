#!/bin/sh
# Builds the fuzz preset and runs every fuzz target of fuzz/ (or those named
# after the seconds, e.g. `sh tools/fuzz.sh 300 command_line
# chromium_bookmarks`) for the given number of seconds (default 60), each
# from a copy of its seed corpus, so
# the committed corpus stays as it is. Prints one line per target,
# "<target>: <N> runs, <outcome>", and exits non-zero when any target finds
# a crash, a leak, a time-out or a broken property; the input that did it
# is kept in build/fuzz/artifacts, the target's output in build/fuzz/logs.
set -u
cd "$(dirname "$0")/.."
seconds="${1:-60}"
case "$seconds" in
  '' | *[!0-9]*)
    echo "usage: sh tools/fuzz.sh [seconds per target [target...]]" >&2
    exit 2
    ;;
esac
[ $# -gt 0 ] && shift
only=" $* "

sh tools/setup.sh fuzz || exit 1
echo "== fuzz: configure and build"
if ! cmake --preset fuzz >/dev/null || ! cmake --build --preset fuzz --target fuzz_targets; then
  echo "== fuzz: build failed"
  exit 1
fi

build=build/fuzz
rm -rf "$build/corpus" "$build/artifacts" "$build/logs"
mkdir -p "$build/corpus" "$build/artifacts" "$build/logs"

echo "== fuzz: $seconds s per target"
status=0
for source in fuzz/*_fuzzer.cpp; do
  name=$(basename "$source" _fuzzer.cpp)
  if [ "$only" != "  " ] && [ "${only#* $name }" = "$only" ]; then
    continue
  fi
  target="${name}_fuzzer"
  corpus="$build/corpus/$name"
  log="$build/logs/$name.log"
  cp -R "fuzz/${name}_seed_corpus" "$corpus"
  # A single input slower than 25 s counts as a hang.
  "$build/fuzz/$target" "$corpus" -max_total_time="$seconds" -timeout=25 \
    -print_final_stats=1 -artifact_prefix="$build/artifacts/$name-" >"$log" 2>&1
  result=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  artifact=$(ls "$build/artifacts/$name-"* 2>/dev/null | head -n 1)
  if [ "$result" -eq 0 ] && [ -z "$artifact" ]; then
    outcome="nothing found"
  else
    status=1
    if grep -q "broken property:" "$log"; then
      outcome="broken property ($(sed -n 's/^broken property: //p' "$log" | head -n 1))"
    elif grep -q "ERROR: LeakSanitizer" "$log"; then
      outcome="leak"
    elif grep -q "runtime error:" "$log"; then
      outcome="undefined behaviour"
    elif grep -q "AddressSanitizer: stack-overflow" "$log"; then
      outcome="stack overflow"
    elif grep -q "ERROR: libFuzzer: timeout" "$log"; then
      outcome="time-out"
    elif grep -q "out-of-memory" "$log"; then
      outcome="out of memory"
    else
      outcome="crash"
    fi
    outcome="$outcome: ${artifact:-no input kept}, see $log"
  fi
  echo "$target: ${runs:-0} runs, $outcome"
done
exit $status
