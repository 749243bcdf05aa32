#!/bin/sh
# screenshots.sh <windows build dir>
# Pictures of Foldmint.exe's two path dialogs and of the file-open dialog,
# drawn by Wine's x11 driver on a virtual display (Xvfb), as PNG files in
# <build>/screenshots/. Uses a copy of the build tree's Wine prefix, switched
# from the null graphics driver to x11 with Wine drawing the window frames
# itself (no window manager). Skipped (exit 0) when Xvfb, xwd or ImageMagick
# is missing. Not part of the CTest run: it needs a display and takes time.
set -eu
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
convert=/usr/bin/convert
[ -x "$convert" ] || convert=$(command -v convert || true)
for tool in Xvfb xwd wine; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "screenshots: skipped, $tool is missing (Debian: xvfb, x11-apps, wine)"
    exit 0
  fi
done
if [ -z "$convert" ]; then
  echo "screenshots: skipped, ImageMagick's convert is missing (Debian: imagemagick)"
  exit 0
fi

out=$build/screenshots
prefix=$out/wineprefix
sh "$root/cmake/wine-prefix.sh" setup "$build/wineprefix"
sh "$root/cmake/wine-prefix.sh" shutdown "$build/wineprefix"
rm -rf "$out"
mkdir -p "$out"
cp -a "$build/wineprefix" "$prefix"

WINEPREFIX=$prefix
WINEDEBUG=-all
# Wine's server directory stays in the copy, as wine-prefix.sh keeps it.
TMPDIR=$prefix/.qc-tmp
export WINEPREFIX WINEDEBUG TMPDIR
# A free display number.
display=91
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
  display=$((display + 1))
done
Xvfb ":$display" -screen 0 640x400x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
xvfb=$!
cleanup() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  rm -rf "$prefix"
}
trap cleanup EXIT
DISPLAY=:$display
export DISPLAY
tries=0
until [ -e "/tmp/.X11-unix/X$display" ] || [ $tries -ge 50 ]; do
  sleep 0.1
  tries=$((tries + 1))
done

wine reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null 2>&1 || true
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
# What the dialogs are prefilled with, where 32-bit programs write it.
users='HKLM\SOFTWARE\Netscape\Netscape Navigator\Users'
wine reg add "$users" /v CurrentUser /d ann /f /reg:32 >/dev/null
wine reg add "$users\\ann" /v DirRoot /d 'C:\Netscape\Users\ann' /f /reg:32 >/dev/null
wine reg add 'HKLM\Software\Ortwell\Brackel\4.0' /v 'Base Path' /d 'C:\Program Files\Quillary' /f /reg:32 >/dev/null
# The desktop process chose its driver when the first command started: begin anew.
wineserver -k 2>/dev/null || true
wineserver -w

driver() { timeout 60 wine "$build/testing/qc_dialog_driver.exe" "$@"; }
shot() {
  sleep 1  # let the dialog finish drawing
  xwd -root -silent -display ":$display" | "$convert" xwd:- "$out/$1.png"
  echo "screenshots: $out/$1.png"
}

wine "$build/installer/Foldmint.exe" &
foldmint=$!
driver wait >/dev/null
shot bookmark-dialog
driver wait press=1001 open >/dev/null
shot file-open-dialog
driver wait open cancel press=1 gone >/dev/null
driver wait >/dev/null
shot product-dialog
driver wait close gone >/dev/null
wait "$foldmint"
