#!/bin/sh
# The main job, shown against a fake browser: Snaplet hands the current page
# of a framed browser window to the (recording) meter control, natively and
# as Snaplet.exe under Wine, and as the browser extension's native messaging
# host; Foldmint splices the product's folder into a
# sample bookmark file, natively and as Foldmint.exe under Wine, and takes it
# out again, giving back the original file byte for byte; natively also into
# a Chromium-family Bookmarks file, after waiting for the browser to close.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
sh tools/setup.sh

for target in native windows; do
  cmake --preset "$target" >/dev/null
  cmake --build --preset "$target" >/dev/null
done

native=$root/build/native
windows=$root/build/windows
# The demonstration's own files and Wine prefix, never the tests' prefix:
# what it registers there would otherwise be seen by the next test run.
work=$root/build/demo
prefix=$windows/demo-wineprefix
finish() {
  sh cmake/wine-prefix.sh shutdown "$prefix" || true
  rm -rf "$work"
}
rm -rf "$work"
mkdir -p "$work"
trap finish EXIT
trap 'exit 130' INT TERM
cat > "$work/browser.txt" <<'SCRIPT'
window 5 "http://news.example/" "Daily News" "" parent=-
window 9 "http://news.example/story.htm" "Story" "" parent=5
current 9
SCRIPT
echo "The browser shows window 9, a frame of window 5 (\"Daily News\")."

echo
echo "== snaplet x1 (native, the browser loaded as a DDE peer)"
export QC_REGISTRY_FILE="$work/registry.reg"
"$native/testing/qc_register_control" register
QC_DDE_PEERS="$native/testing/libfake_browser_peer.so" \
FAKE_BROWSER_SCRIPT="$work/browser.txt" FAKE_BROWSER_COUNTERS="$work/counters-native.txt" \
QC_CONTROL_LOG="$work/control-native.log" "$native/launcher/snaplet" x1
echo "The meter control received (dispatch id, argument, caption of its top-level window):"
cat "$work/control-native.log"
echo "The browser received $(grep '^requests' "$work/counters-native.txt" | cut -d' ' -f2) requests."

echo
echo "== Snaplet.exe x1 (Windows, under Wine; the browser is fake_browser.exe)"
sh cmake/wine-prefix.sh setup "$prefix"
# run PROGRAM [ARGUMENTS...] under Wine in the demonstration's prefix. A
# program started in the background is started by the script itself, which
# execs wine, so that $! is Wine's process.
run() { sh cmake/wine-prefix.sh run "$prefix" "$@"; }
winpath() { echo "Z:$1" | sed 's|/|\\|g'; }
run "$windows/testing/qc_register_control.exe" register
sh cmake/wine-prefix.sh run "$prefix" "$windows/testing/fake_browser.exe" \
  --script "$(winpath "$work/browser.txt")" --counters "$(winpath "$work/counters-windows.txt")" --seconds 20 \
  --ready-event qc_demo_ready --stop-event qc_demo_stop &
browser=$!
sleep 3
QC_CONTROL_LOG="$(winpath "$work/control-windows.log")" \
  sh cmake/wine-prefix.sh run "$prefix" "$windows/launcher/Snaplet.exe" x1
kill "$browser" 2>/dev/null || true
wait "$browser" 2>/dev/null || true
echo "The meter control received:"
cat "$work/control-windows.log"

echo
echo "== Snaplet.exe without a browser: the message box, read and answered"
sh cmake/wine-prefix.sh run "$prefix" "$windows/launcher/Snaplet.exe" x1 &
launcher=$!
run "$windows/testing/qc_message_box_driver.exe" --timeout 15000 | sed 's/^/The user sees: /'
wait "$launcher"

# The browser extension's message, framed as a browser sends it (a 32-bit
# length, then UTF-8 JSON), and the host's reply unframed.
frame() {
  python3 -c 'import struct, sys; t = sys.argv[1].encode(); sys.stdout.buffer.write(struct.pack("=I", len(t)) + t)' "$1"
}
unframe() {
  python3 -c 'import struct, sys; d = sys.stdin.buffer.read(); print(d[4:4 + struct.unpack("=I", d[:4])[0]].decode())'
}
origin=chrome-extension://lcjooaojphecmbgjembagdmbopnalcaf/
message='{"mode": 1, "title": "Zürich — 日本語のページ 🐦", "url": "https://news.example/zurich.htm"}'

echo
echo "== snaplet as the browser extension's host (native): QuickSave from the page menu"
echo "The browser starts it with $origin and sends: $message"
frame "$message" | QC_CONTROL_LOG="$work/control-host-native.log" "$native/launcher/snaplet" "$origin" |
  unframe | sed 's/^/It replies: /'
echo "The meter control received:"
cat "$work/control-host-native.log"

echo
echo "== Snaplet.exe as the browser extension's host (Windows, under Wine): no browser window to move into"
# The recording control logs what it received in UTF-8 on request, in the
# ANSI code page otherwise.
frame "$message" | QC_CONTROL_LOG="$(winpath "$work/control-host-windows.log")" QC_CONTROL_LOG_UTF8=1 \
  sh cmake/wine-prefix.sh run "$prefix" "$windows/launcher/Snaplet.exe" "$origin" --parent-window=0 |
  unframe | sed 's/^/It replies: /'
echo "The meter control received (the title through UTF-16, unchanged):"
cat "$work/control-host-windows.log"

profile() {  # a sample browser profile: a bookmark file and its prefs.js
  mkdir -p "$1"
  cp tests/splicer/data/bookmark.htm "$1/bookmark.htm"
  printf 'user_pref("custtoolbar.personal_toolbar_folder", "Personal Toolbar Folder");\r\n' > "$1/prefs.js"
}

echo
echo "== foldmint <bookmark file> <product dir> (native)"
profile "$work/native-profile"
cp "$work/native-profile/bookmark.htm" "$work/native-before.htm"
"$native/installer/foldmint" "$work/native-profile/bookmark.htm" "/opt/Quillary/"
echo "Lines added to the bookmark file (the folder at the top and in the toolbar folder):"
diff "$work/native-before.htm" "$work/native-profile/bookmark.htm" | grep '^>' | tr -d '\r' || true
echo "Backup kept: $(ls "$work/native-profile" | grep qyr)"

echo
echo "== Foldmint.exe <bookmark file> <product dir> (Windows, under Wine)"
profile "$work/windows-profile"
cp "$work/windows-profile/bookmark.htm" "$work/windows-before.htm"
# (wine quotes an argument holding a blank, and the installer copies quotes
# as they stand, so this directory has none.)
run "$windows/installer/Foldmint.exe" "$(winpath "$work/windows-profile/bookmark.htm")" \
  'C:\Quillary\'
echo "Lines added to the bookmark file:"
diff "$work/windows-before.htm" "$work/windows-profile/bookmark.htm" | grep '^>' | tr -d '\r' || true

same_as_before() {  # bookmark file, the copy from before the install
  if cmp -s "$1" "$2"; then
    echo "The bookmark file is the original again, byte for byte ($(wc -c <"$1") bytes)."
  else
    echo "The bookmark file differs from the original!"
    exit 1
  fi
}

echo
echo "== foldmint --remove <bookmark file> (native): the product's uninstall"
# Under set -e a failing command would end the demonstration before its
# status is shown: the status is caught and told, whatever it is.
status=0
"$native/installer/foldmint" --remove "$work/native-profile/bookmark.htm" || status=$?
echo "foldmint ended with status $status."
same_as_before "$work/native-profile/bookmark.htm" "$work/native-before.htm"
echo "The backup is still there: $(ls "$work/native-profile" | grep qyr)"

echo
echo "== Foldmint.exe /remove <bookmark file> (Windows, under Wine)"
run "$windows/installer/Foldmint.exe" /remove "$(winpath "$work/windows-profile/bookmark.htm")"
same_as_before "$work/windows-profile/bookmark.htm" "$work/windows-before.htm"

echo
echo "== foldmint on a Chromium-family Bookmarks file (native), a profile path with blanks"
chromium="$work/chromium/User Data/Default"
mkdir -p "$chromium"
cp tests/chromium/data/everyday.json "$chromium/Bookmarks"
ln -s "$(hostname)-$$" "$work/chromium/User Data/SingletonLock"
status=0
"$native/installer/foldmint" "$chromium/Bookmarks" /opt/Quillary Pro/ || status=$?
echo "While a browser holds the profile: status $status."
rm "$work/chromium/User Data/SingletonLock"
"$native/installer/foldmint" "$chromium/Bookmarks" /opt/Quillary Pro/
echo "Closed: the folder, first on the bookmarks bar and first in Other bookmarks, links to:"
grep -n 'Quillary%20Pro' "$chromium/Bookmarks" | sed 's/^ */  line /'
"$native/installer/foldmint" --remove "$chromium/Bookmarks"
same_as_before "$chromium/Bookmarks" tests/chromium/data/everyday.json

echo
QC_NATIVE_BUILD="$native" QC_WINDOWS_BUILD="$windows" QC_DEMO_WINEPREFIX="$prefix" \
  sh tools/demo-installer-dialogs.sh
