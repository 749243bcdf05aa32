#!/bin/sh
# Builds every target and runs every test: the native suite under
# AddressSanitizer and UndefinedBehaviorSanitizer, the Windows suite under
# Wine in the build tree's own prefix (the x64 build), then the x86 build,
# what users get, whose programs are checked from their files (machine
# type, subsystem, imports, manifest, the same resources as the x64 build):
# this machine's Wine cannot run 32-bit programs.
set -u
cd "$(dirname "$0")/.."
sh tools/setup.sh || exit 1

status=0
# configure preset, then test preset
for target in native:native windows:windows windows-x86:windows-x86-static; do
  preset=${target%%:*}
  tests=${target#*:}
  echo "== $preset: configure and build"
  if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset"; then
    echo "== $preset: build failed"
    status=1
    continue
  fi
  echo "== $preset: tests ($tests)"
  if ! ctest --preset "$tests"; then
    status=1
  fi
done
exit $status
