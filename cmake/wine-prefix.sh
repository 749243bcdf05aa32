#!/bin/sh
# wine-prefix.sh setup|shutdown PREFIX
# wine-prefix.sh run PREFIX PROGRAM [ARGUMENTS...]
# setup: make a headless prefix (null graphics driver, so windows, FindWindowA
#   and DDE work without a display) the first time, and keep a pristine copy
#   of its registry and user files. Every later setup puts that copy back, so
#   that no run sees what an earlier run, another test or a demonstration
#   left in the registry. A prefix made by another Wine version is made anew.
# shutdown: end every Wine process of the prefix and wait for it.
# run: run one program in the prefix.
# Wine keeps its server's directory under TMPDIR (/tmp when unset); here it
# lives in the prefix, so that nothing of a run is left outside it.
set -eu
usage() {
  echo "usage: $0 setup|shutdown PREFIX | run PREFIX PROGRAM [ARGUMENTS...]" >&2
  exit 2
}
[ $# -ge 2 ] || usage
action=$1
case "$2" in
/*) WINEPREFIX=$2 ;;
*) WINEPREFIX=$(pwd)/$2 ;;
esac
WINEDEBUG=-all
TMPDIR=$WINEPREFIX/.qc-tmp
export WINEPREFIX WINEDEBUG TMPDIR
pristine=$WINEPREFIX/.qc-pristine
# What programs and tests change: the registry and the files under C:\users
# and C:\ProgramData. The rest (C:\windows) is the same in every run.
registry="system.reg user.reg userdef.reg"
drive_dirs="users ProgramData"

stop() {
  wineserver -k 2>/dev/null || true
  wineserver -w
}

case "$action" in
setup)
  version=$(wine --version)
  if [ -f "$WINEPREFIX/.qc-ready" ] && [ "$(cat "$WINEPREFIX/.qc-ready")" = "$version" ] &&
    [ -d "$pristine" ]; then
    mkdir -p "$TMPDIR"
    stop
    for file in $registry; do
      cp -p "$pristine/$file" "$WINEPREFIX/$file"
    done
    for dir in $drive_dirs; do
      rm -rf "$WINEPREFIX/drive_c/$dir"
      cp -a "$pristine/$dir" "$WINEPREFIX/drive_c/$dir"
    done
    exit 0
  fi
  if [ -d "$TMPDIR" ]; then
    stop
  fi
  rm -rf "$WINEPREFIX"
  mkdir -p "$TMPDIR"
  # No Mono or Gecko installers: nothing here needs them and they would ask.
  # No menu builder: it would write desktop entries into $HOME.
  WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=" wineboot -i
  wine reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /d '' /f >/dev/null
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
  wineserver -w
  mkdir -p "$pristine"
  for file in $registry; do
    cp -p "$WINEPREFIX/$file" "$pristine/$file"
  done
  for dir in $drive_dirs; do
    cp -a "$WINEPREFIX/drive_c/$dir" "$pristine/$dir"
  done
  echo "$version" >"$WINEPREFIX/.qc-ready"
  ;;
shutdown)
  if [ -d "$TMPDIR" ]; then
    stop
  fi
  ;;
run)
  shift 2
  mkdir -p "$TMPDIR"
  exec wine "$@"
  ;;
*)
  usage
  ;;
esac
