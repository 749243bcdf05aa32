#!/bin/sh
# install-test.sh SOURCE_DIR WORK_DIR GENERATOR C_COMPILER CXX_COMPILER
# Installs a Release build as a user would, moves the whole prefix elsewhere
# and runs the moved programs: foldmint on a sample profile (byte for byte
# as expected) and snaplet beside the fake browser loaded as a DDE peer
# module, with the recording meter control registered; the browser
# extension lands in share/quillary/extension as the tree has it. The Release tree
# under WORK_DIR is kept between runs, so that a later run builds only what
# changed; the prefixes are removed at the end.
set -eu
source_dir=$1
work=$2
generator=$3
tree=$work/build
scratch=$work/scratch
data=$source_dir/tests/splicer/data

fail() {
  echo "install test: $*" >&2
  exit 1
}
rm -rf "$scratch"
mkdir -p "$scratch"
trap 'rm -rf "$scratch"' EXIT
trap 'exit 130' INT TERM

echo "== Release build of the programs and the test modules"
cmake -S "$source_dir" -B "$tree" -G "$generator" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_C_COMPILER="$4" -DCMAKE_CXX_COMPILER="$5" >"$work/configure.log" 2>&1 ||
  fail "configure failed, see $work/configure.log"
cmake --build "$tree" -j2 --target foldmint foldmint_package_files snaplet fake_browser_peer \
  RecordingControl qc_register_control >"$work/build.log" 2>&1 || fail "build failed, see $work/build.log"

echo "== install, then move the prefix"
for component in foldmint snaplet extension; do
  cmake --install "$tree" --prefix "$scratch/prefix" --component "$component" >/dev/null ||
    fail "install of $component failed"
done
mv "$scratch/prefix" "$scratch/moved"
prefix=$scratch/moved

installed=$(cd "$prefix" && find . -type f -o -type l | sort | tr '\n' ' ')
extension_files=$(cd "$source_dir/extension" && find . -type f | sed 's|^\.|./share/quillary/extension|')
expected=$(printf '%s\n' ./bin/foldmint ./bin/snaplet ./lib/quillary/libwin32api_posix.so \
  ./share/doc/foldmint/changelog.gz ./share/doc/foldmint/copyright ./share/man/man1/foldmint.1.gz \
  $extension_files | sort | tr '\n' ' ')
[ "$installed" = "$expected" ] || fail "installed files: $installed (expected $expected)"
diff -r "$source_dir/extension" "$prefix/share/quillary/extension" ||
  fail "the installed extension differs from the tree's"

# foldmint carries the stand-in inside; snaplet finds it beside itself.
dynamic() { readelf -d "$1" | grep -E "\((NEEDED|RPATH|RUNPATH)\)" || true; }
if dynamic "$prefix/bin/foldmint" | grep -q -e win32api -e RPATH -e RUNPATH; then
  fail "foldmint needs more than the system's libraries: $(dynamic "$prefix/bin/foldmint")"
fi
dynamic "$prefix/bin/snaplet" | grep -q 'Library runpath: \[\$ORIGIN/../lib/quillary\]' ||
  fail "snaplet's run path: $(dynamic "$prefix/bin/snaplet")"

echo "== the moved foldmint on a sample profile"
profile=$scratch/profile
mkdir -p "$profile"
cp "$data/bookmark.htm" "$profile/bookmark.htm"
cp "$data/prefs-work.js" "$profile/prefs.js"
sed 's|@PRODUCT@|file:///opt/Quillary/|g' "$data/expected/work.htm" >"$scratch/expected.htm"
# No registry of the user's is read or written.
QC_REGISTRY_FILE=$scratch/foldmint-registry.reg \
  "$prefix/bin/foldmint" "$profile/bookmark.htm" /opt/Quillary/ </dev/null ||
  fail "foldmint ended with status $?"
cmp "$profile/bookmark.htm" "$scratch/expected.htm" || fail "the spliced bookmark file differs"
cmp "$profile/bkmk.qyr" "$data/bookmark.htm" || fail "the backup differs from the original"

echo "== the moved snaplet beside the fake browser"
cat >"$scratch/browser.txt" <<'SCRIPT'
window 5 "http://news.example/" "Daily News" "" parent=-
window 9 "http://news.example/story.htm" "Story" "" parent=5
current 9
SCRIPT
QC_REGISTRY_FILE=$scratch/registry.reg
export QC_REGISTRY_FILE
"$tree/testing/qc_register_control" register || fail "the control could not be registered"
# The peer is loaded from the build tree and needs the stand-in by its
# soname: the loader must hand it the copy snaplet already has (one DDEML,
# one desktop), which the loader's trace shows as one link map.
status=0
LD_DEBUG=files QC_DDE_PEERS="$tree/testing/libfake_browser_peer.so" \
  FAKE_BROWSER_SCRIPT="$scratch/browser.txt" QC_CONTROL_LOG="$scratch/control.log" \
  "$prefix/bin/snaplet" x1 </dev/null 2>"$scratch/snaplet.err" || status=$?
[ $status -eq 0 ] || fail "snaplet ended with status $status: $(grep -v '^ *[0-9]*:' "$scratch/snaplet.err")"
maps=$(grep 'file=libwin32api_posix.so .*generating link map' "$scratch/snaplet.err" | wc -l)
[ "$maps" -eq 1 ] || fail "the stand-in library was loaded $maps times"
grep -q "calling init: $prefix/bin/../lib/quillary/libwin32api_posix.so" "$scratch/snaplet.err" ||
  fail "the stand-in library was not the moved prefix's"

tab=$(printf '\t')
printf '%s\n' "1${tab}Daily News${tab}Daily News - Netscape" \
  "6${tab}http://news.example/${tab}Daily News - Netscape" >"$scratch/control.expected"
cmp "$scratch/control.log" "$scratch/control.expected" ||
  fail "the meter control received: $(cat "$scratch/control.log")"
echo "install test: passed"
