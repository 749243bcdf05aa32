#!/bin/sh
# Snaplet as a native messaging host: the time from starting it to reading
# its reply, over many runs, natively (the release build, as installed) and
# under Wine (Snaplet.exe of the x64 build), each beside a minimal host that
# reads one message and replies, in the same run. Snaplet saves through the
# recording meter control. Prints the mean and median of each and the ratio
# of the means.
# Usage: sh bench/host-bench.sh [runs, default 50]
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
runs=${1:-50}
targets="snaplet minimal_native_host host_bench_driver RecordingControl qc_register_control"
winpath() { echo "Z:$1" | sed 's|/|\\|g'; }

native=$root/build/release
cmake --preset release >/dev/null
cmake --build --preset release --target $targets >/dev/null
windows=$root/build/windows
cmake --preset windows >/dev/null
cmake --build --preset windows --target $targets >/dev/null

work=$root/build/host-bench
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT

printf '%-8s %22s %22s %7s\n' "" "Snaplet mean/median" "minimal mean/median" ratio
row() {  # name, Snaplet's "mean median", the minimal host's "mean median"
  set -- "$1" $2 $3
  printf '%-8s %13s / %6s ms %13s / %6s ms %7s\n' "$1" "$2" "$3" "$4" "$5" \
    "$(echo "$2 $4" | awk '{ printf "%.1f", $1 / $2 }')"
}

origin=chrome-extension://lcjooaojphecmbgjembagdmbopnalcaf/
export QC_REGISTRY_FILE="$work/registry.reg" QC_CONTROL_LOG="$work/control.log"
"$native/testing/qc_register_control" register
row native \
  "$("$native/bench/host/host_bench_driver" "$runs" "$native/launcher/snaplet" "$origin")" \
  "$("$native/bench/host/host_bench_driver" "$runs" "$native/bench/host/minimal_native_host")"

sh cmake/wine-prefix.sh setup "$windows/wineprefix"
run="$windows/wine-run.sh"
QC_CONTROL_LOG=$(winpath "$work/control-windows.log")
"$run" "$windows/testing/qc_register_control.exe" register
row Wine \
  "$("$run" "$windows/bench/host/host_bench_driver.exe" "$runs" \
    "$(winpath "$windows/launcher/Snaplet.exe")" "$origin" | tr -d '\r')" \
  "$("$run" "$windows/bench/host/host_bench_driver.exe" "$runs" \
    "$(winpath "$windows/bench/host/minimal_native_host.exe")" | tr -d '\r')"
sh cmake/wine-prefix.sh shutdown "$windows/wineprefix"
