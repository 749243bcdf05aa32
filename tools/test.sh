#!/bin/sh
# Builds both targets and runs every test: the native suite under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the Windows suite
# under Wine in the build tree's own prefix.
set -u
cd "$(dirname "$0")/.."
sh tools/setup.sh || exit 1

status=0
for target in native windows; do
  echo "== $target: configure and build"
  if ! cmake --preset "$target" >/dev/null || ! cmake --build --preset "$target"; then
    echo "== $target: build failed"
    status=1
    continue
  fi
  echo "== $target: tests"
  if ! ctest --preset "$target"; then
    status=1
  fi
done
exit $status
