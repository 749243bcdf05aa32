#!/bin/sh
# The installer started with no arguments, as a user starts it: both paths
# are asked for in the path dialogs, prefilled from the browser's and the
# product's registry entries, and confirmed with OK.
#   natively: foldmint's terminal prompts, answered with Enter twice;
#   under Wine: Foldmint.exe's dialogs, answered by the dialog driver.
# Needs both builds (build/native, build/windows, or the directories in
# QC_NATIVE_BUILD and QC_WINDOWS_BUILD). Runs Wine in a demonstration prefix
# (QC_DEMO_WINEPREFIX, by default build/windows/demo-wineprefix), never in
# the tests' own.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
native=${QC_NATIVE_BUILD:-$root/build/native}
windows=${QC_WINDOWS_BUILD:-$root/build/windows}
prefix=${QC_DEMO_WINEPREFIX:-$windows/demo-wineprefix}
work=$root/build/demo-dialogs
finish() {
  sh cmake/wine-prefix.sh shutdown "$prefix" || true
  rm -rf "$work"
}
rm -rf "$work"
mkdir -p "$work"
trap finish EXIT
trap 'exit 130' INT TERM

profile() {  # a sample browser profile: a bookmark file and its prefs.js
  mkdir -p "$1"
  cp tests/splicer/data/bookmark.htm "$1/bookmark.htm"
  cp tests/splicer/data/prefs-work.js "$1/prefs.js"
}
added() {  # the lines the installer added to the bookmark file
  diff "$1" "$2" | grep '^>' | tr -d '\r' || true
}

echo "== foldmint with no arguments (native): the two prompts, each answered with Enter"
profile "$work/native-profile"
cp "$work/native-profile/bookmark.htm" "$work/native-before.htm"
export QC_REGISTRY_FILE="$work/registry.reg"
cat > "$QC_REGISTRY_FILE" <<HIVE
REGEDIT4

[HKEY_LOCAL_MACHINE\\SOFTWARE\\Netscape\\Netscape Navigator\\Users]
"CurrentUser"="ann"

[HKEY_LOCAL_MACHINE\\SOFTWARE\\Netscape\\Netscape Navigator\\Users\\ann]
"DirRoot"="$work/native-profile"

[HKEY_LOCAL_MACHINE\\Software\\Ortwell\\Brackel\\4.0]
"Base Path"="/opt/Quillary"
HIVE
printf '\n\n' | "$native/installer/foldmint"
echo "Lines added to the bookmark file:"
added "$work/native-before.htm" "$work/native-profile/bookmark.htm"

echo
echo "== Foldmint.exe with no arguments (Windows, under Wine): the two dialogs, each answered with OK"
sh cmake/wine-prefix.sh setup "$prefix"
wine="sh cmake/wine-prefix.sh run"
profile "$work/windows-profile"
cp "$work/windows-profile/bookmark.htm" "$work/windows-before.htm"
dirroot=$(echo "Z:$work/windows-profile" | sed 's|/|\\|g')
users='HKLM\SOFTWARE\Netscape\Netscape Navigator\Users'
product='HKLM\Software\Ortwell\Brackel\4.0'
# Where the browser and the product's setup, 32-bit programs, write them on
# 64-bit Windows: the registry's 32-bit view.
$wine "$prefix" reg add "$users" /v CurrentUser /d ann /f /reg:32 >/dev/null
$wine "$prefix" reg add "$users\\ann" /v DirRoot /d "$dirroot" /f /reg:32 >/dev/null
$wine "$prefix" reg add "$product" /v 'Base Path' /d 'C:\Program Files\Quillary' /f /reg:32 >/dev/null
$wine "$prefix" "$windows/installer/Foldmint.exe" &
foldmint=$!
driver="$windows/testing/qc_dialog_driver.exe"
# printf, not echo: the paths hold backslashes.
printf 'The bookmark dialog shows: %s\n' "$(timeout 60 $wine "$prefix" "$driver" wait show press=1 gone | tr -d '\r')"
printf 'The product dialog shows: %s\n' "$(timeout 60 $wine "$prefix" "$driver" wait show press=1 gone | tr -d '\r')"
wait "$foldmint"
echo "Lines added to the bookmark file:"
added "$work/windows-before.htm" "$work/windows-profile/bookmark.htm"
