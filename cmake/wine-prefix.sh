#!/bin/sh
# wine-prefix.sh setup|start|shutdown PREFIX
# wine-prefix.sh run PREFIX PROGRAM [ARGUMENTS...]
# setup: make a headless prefix (null graphics driver, so windows, FindWindowA
#   and DDE work without a display) the first time, and keep a pristine copy
#   of its registry and user files. Every later setup puts that copy back, so
#   that no run sees what an earlier run, another test or a demonstration
#   left in the registry. A prefix made by another Wine version is made anew.
# start: setup, then start the prefix's session (its wineserver and the
#   system processes that wineboot starts) with none of the caller's files
#   open, and keep it until shutdown, or until no program has run in it for
#   a minute. The first program of a session is the parent of all of these
#   and hands them its standard output and error, which then stay open until
#   the session ends: a caller that reads them to their end (CTest,
#   execute_process) waits for the session, not for the program.
# shutdown: end every Wine process of the prefix and wait for it.
# run: run one program in the prefix.
# Wine keeps its server's directory under TMPDIR (/tmp when unset); here it
# lives in the prefix, so that nothing of a run is left outside it.
set -eu
usage() {
  echo "usage: $0 setup|start|shutdown PREFIX | run PREFIX PROGRAM [ARGUMENTS...]" >&2
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

# The session outlives its last program by this many seconds, so that it
# spans the gaps between the tests of a run, and a run that was interrupted
# before its shutdown leaves nothing running for long.
session_linger=60

start_session() {
  if ! wineserver -p$session_linger </dev/null >/dev/null 2>&1; then
    echo "$0: a Wine server of $WINEPREFIX runs already" >&2
    exit 1
  fi
  # The first program started from outside Wine runs wineboot, which starts
  # the system processes, and waits for it. What the program itself does
  # does not matter, nor whether it ends well.
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

case "$action" in
setup | start)
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
    if [ "$action" = start ]; then
      start_session
    fi
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
  if [ "$action" = start ]; then
    start_session
  fi
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
