#!/bin/sh
# wine-prefix.sh setup|shutdown PREFIX
# setup: make a fresh headless prefix once per build tree (null graphics
# driver, so windows, FindWindowA and DDE work without a display).
# shutdown: end every Wine process of the prefix and wait for it.
set -eu
action=$1
WINEPREFIX=$2
WINEDEBUG=-all
export WINEPREFIX WINEDEBUG

case "$action" in
setup)
  if [ -f "$WINEPREFIX/.qc-ready" ]; then
    exit 0
  fi
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  # No Mono or Gecko installers: nothing here needs them and they would ask.
  WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
  wineserver -w
  touch "$WINEPREFIX/.qc-ready"
  ;;
shutdown)
  if [ -d "$WINEPREFIX" ]; then
    wineserver -k 2>/dev/null || true
    wineserver -w
  fi
  ;;
*)
  echo "usage: $0 setup|shutdown PREFIX" >&2
  exit 2
  ;;
esac
