#!/bin/sh
# The native foldmint as a Unix user meets it: --help and --version, and one
# run for each exit status, with its line on standard error.
# Usage: exit-status.sh <foldmint> <data dir> <work dir> <Chromium data dir>
set -u
program=$1
data=$2
work=$3
chromium_data=$4
rm -rf "$work"
mkdir -p "$work"
failures=0

# expect <name> <status> <stderr pattern or -> -- <program arguments...>
expect() {
  name=$1 status=$2 pattern=$3
  shift 4
  "$program" "$@" >"$work/out" 2>"$work/err" </dev/null
  got=$?
  if [ "$got" -ne "$status" ]; then
    echo "FAIL $name: exit status $got, expected $status"; cat "$work/err"; failures=$((failures + 1))
  elif [ "$pattern" = "-" ] && [ -s "$work/err" ]; then
    echo "FAIL $name: unexpected message:"; cat "$work/err"; failures=$((failures + 1))
  elif [ "$pattern" != "-" ] && ! { [ "$(wc -l <"$work/err")" -eq 1 ] && grep -q "^foldmint: $pattern" "$work/err"; }; then
    echo "FAIL $name: standard error is not one line 'foldmint: $pattern':"; cat "$work/err"
    failures=$((failures + 1))
  else
    echo "ok   $name: status $got $(cat "$work/err")"
  fi
}

profile() {
  rm -rf "$work/profile"
  mkdir -p "$work/profile"
  cp "$data/bookmark.htm" "$work/profile/bookmark.htm"
  cp "$data/prefs-work.js" "$work/profile/prefs.js"
}

expect help 0 - -- --help
grep -q "^Usage: foldmint" "$work/out" || { echo "FAIL help: no usage"; failures=$((failures + 1)); }
expect version 0 - -- --version
grep -qx "foldmint [0-9][0-9]*\.[0-9][0-9]*\.[0-9][0-9]*" "$work/out" ||
  { echo "FAIL version: $(cat "$work/out")"; failures=$((failures + 1)); }

profile
expect spliced 0 - -- "$work/profile/bookmark.htm" /opt/q/
grep -q "file:///opt/q/save.qyv" "$work/profile/bookmark.htm" ||
  { echo "FAIL spliced: no folder"; failures=$((failures + 1)); }
expect already_there 0 - -- "$work/profile/bookmark.htm" /opt/q/

expect prompt_cancelled 1 "bookmark file: .*cancelled" --

long=$(printf '%0300d' 0)
expect part_too_long 2 ".*too long" -- "$work/$long.htm" /opt/q/

# A profile path with blanks, as today's browsers have ("User Data"): the
# first argument is the bookmark file whatever it holds, the rest the
# product directory.
mkdir -p "$work/User Data"
cp "$data/bookmark.htm" "$work/User Data/bookmark.htm"
expect blanks_in_both_paths 0 - -- "$work/User Data/bookmark.htm" /opt/Quillary Pro/
grep -q "file:///opt/Quillary Pro/save.qyv" "$work/User Data/bookmark.htm" ||
  { echo "FAIL blanks_in_both_paths: no folder"; failures=$((failures + 1)); }
expect unclosed_quote 2 ".*quoted path must end" -- '"a b' /opt/q/
# A product directory wholly inside double quotes loses them, for both formats.
cp "$data/bookmark.htm" "$work/User Data/quoted.htm"
expect quoted_product_dir 0 - -- "$work/User Data/quoted.htm" '"/opt/My Q/"'
grep -q "file:///opt/My Q/save.qyv" "$work/User Data/quoted.htm" ||
  { echo "FAIL quoted_product_dir: no folder without quotes"; failures=$((failures + 1)); }

# A Chromium-family Bookmarks file, told apart by its name or content: installed,
# left alone while a browser holds the profile (its SingletonLock names this
# host and a live process: this shell), refused when damaged.
chromium_profile() {
  rm -rf "$work/User Data"
  mkdir -p "$work/User Data/Default"
  cp "$chromium_data/everyday.json" "$work/User Data/Default/Bookmarks"
}
chromium_profile
ln -s "$(hostname)-$$" "$work/User Data/SingletonLock"
expect browser_running 6 ".*Bookmarks: the browser is running; close it and run again, nothing changed" \
  -- "$work/User Data/Default/Bookmarks" /opt/q/
cmp -s "$chromium_data/everyday.json" "$work/User Data/Default/Bookmarks" &&
  [ ! -e "$work/User Data/Default/bkmk.qyr" ] ||
  { echo "FAIL browser_running: something changed"; failures=$((failures + 1)); }
rm "$work/User Data/SingletonLock"
expect chromium_installed 0 - -- "$work/User Data/Default/Bookmarks" /opt/Quillary Pro/
grep -q '"url": "file:///opt/Quillary%20Pro/save.qyv"' "$work/User Data/Default/Bookmarks" ||
  { echo "FAIL chromium_installed: no folder"; failures=$((failures + 1)); }
expect chromium_removed 0 - -- --remove "$work/User Data/Default/Bookmarks"
cmp -s "$chromium_data/everyday.json" "$work/User Data/Default/Bookmarks" ||
  { echo "FAIL chromium_removed: not the original bytes"; failures=$((failures + 1)); }
expect chromium_quoted_product_dir 0 - -- "$work/User Data/Default/Bookmarks" '"/opt/My Q/"'
grep -q '"url": "file:///opt/My%20Q/save.qyv"' "$work/User Data/Default/Bookmarks" ||
  { echo "FAIL chromium_quoted_product_dir: no folder without quotes"; failures=$((failures + 1)); }
printf '{ "roots": { "bookmark_bar": ' >"$work/User Data/Default/Bookmarks"
expect chromium_damaged 3 ".*(damaged JSON), nothing changed" -- "$work/User Data/Default/Bookmarks" /opt/q/

# A file named Bookmarks (in any case) is the store's whatever it holds, and
# a byte-order mark comes before the judging: never HTML written into it,
# and status 6 while a browser holds the profile.
# unchanged <name> <bytes before> <file>: the file as it was, no backup made
unchanged() {
  cmp -s "$2" "$3" && [ ! -e "$(dirname "$3")/bkmk.qyr" ] ||
    { echo "FAIL $1: something changed"; failures=$((failures + 1)); }
}
chromium_profile
: >"$work/empty"
cp "$work/empty" "$work/User Data/Default/Bookmarks"
expect empty_bookmarks 3 ".*(damaged JSON), nothing changed" -- "$work/User Data/Default/Bookmarks" /opt/q/
unchanged empty_bookmarks "$work/empty" "$work/User Data/Default/Bookmarks"
mv "$work/User Data/Default/Bookmarks" "$work/User Data/Default/BOOKMARKS"
cp "$data/bookmark.htm" "$work/User Data/Default/BOOKMARKS"
expect html_in_bookmarks 3 ".*(damaged JSON), nothing changed" -- "$work/User Data/Default/BOOKMARKS" /opt/q/
unchanged html_in_bookmarks "$data/bookmark.htm" "$work/User Data/Default/BOOKMARKS"
chromium_profile
{ printf '\357\273\277'; cat "$chromium_data/everyday.json"; } >"$work/marked.json"
cp "$work/marked.json" "$work/User Data/Default/marked.json"
ln -s "$(hostname)-$$" "$work/User Data/SingletonLock"
expect marked_browser_running 6 ".*the browser is running" -- "$work/User Data/Default/marked.json" /opt/q/
unchanged marked_browser_running "$work/marked.json" "$work/User Data/Default/marked.json"
expect empty_browser_running 6 ".*the browser is running" -- "$work/User Data/Default/Bookmarks" /opt/q/
rm "$work/User Data/SingletonLock"

# A path through a symbolic link: the lock, the backup, prefs.js and the
# temporary file are those beside the real file, and the link stays a link.
# Opera keeps its Bookmarks beside the lock, one folder higher.
# is_link <name> <link> <target>: the link still leads there
is_link() {
  [ -L "$2" ] && [ "$(readlink "$2")" = "$3" ] ||
    { echo "FAIL $1: $2 is no longer a link to $3"; failures=$((failures + 1)); }
}
chromium_profile
mkdir -p "$work/links"
ln -s "../User Data/Default/Bookmarks" "$work/links/Bookmarks"
ln -s "$(hostname)-$$" "$work/User Data/SingletonLock"
expect linked_browser_running 6 ".*the browser is running" -- "$work/links/Bookmarks" /opt/q/
unchanged linked_browser_running "$chromium_data/everyday.json" "$work/User Data/Default/Bookmarks"
rm "$work/User Data/SingletonLock"
expect linked_installed 0 - -- "$work/links/Bookmarks" /opt/q/
is_link linked_installed "$work/links/Bookmarks" "../User Data/Default/Bookmarks"
grep -q '"url": "file:///opt/q/save.qyv"' "$work/User Data/Default/Bookmarks" &&
  cmp -s "$chromium_data/everyday.json" "$work/User Data/Default/bkmk.qyr" &&
  [ "$(ls "$work/links")" = Bookmarks ] ||
  { echo "FAIL linked_installed: not installed beside the real file"; failures=$((failures + 1)); }
expect linked_removed 0 - -- --remove "$work/links/Bookmarks"
is_link linked_removed "$work/links/Bookmarks" "../User Data/Default/Bookmarks"
cmp -s "$chromium_data/everyday.json" "$work/User Data/Default/Bookmarks" ||
  { echo "FAIL linked_removed: not the original bytes"; failures=$((failures + 1)); }
mv "$work/User Data/Default/Bookmarks" "$work/User Data/Bookmarks"
rm "$work/User Data/Default/bkmk.qyr"
ln -s "$(hostname)-$$" "$work/User Data/SingletonLock"
expect lock_beside_the_file 6 ".*the browser is running" -- "$work/User Data/Bookmarks" /opt/q/
unchanged lock_beside_the_file "$chromium_data/everyday.json" "$work/User Data/Bookmarks"
profile
ln -s "$work/profile/bookmark.htm" "$work/links/bookmark.htm"
expect linked_html 0 - -- "$work/links/bookmark.htm" /opt/q/
is_link linked_html "$work/links/bookmark.htm" "$work/profile/bookmark.htm"
sed 's|@PRODUCT@|file:///opt/q/|g' "$data/expected/work.htm" >"$work/expected.htm"
cmp -s "$work/expected.htm" "$work/profile/bookmark.htm" ||
  { echo "FAIL linked_html: not spliced as prefs.js beside it says"; failures=$((failures + 1)); }
ln -s loop "$work/links/loop"
expect link_loop 3 ".*symbolic links cannot be followed" -- "$work/links/loop" /opt/q/

profile
rm "$work/profile/bookmark.htm"
expect unreadable 3 "$work/profile/bookmark.htm: .*no backup" -- "$work/profile/bookmark.htm" /opt/q/

profile
chmod a-w "$work/profile/bookmark.htm"
expect read_only_file 4 "$work/profile/bookmark.htm: read-only" -- "$work/profile/bookmark.htm" /opt/q/
cmp -s "$data/bookmark.htm" "$work/profile/bookmark.htm" ||
  { echo "FAIL read_only_file: the file changed"; failures=$((failures + 1)); }

rm -rf "$work"
[ "$failures" -eq 0 ]
