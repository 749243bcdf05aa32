#!/bin/sh
# check-packages.sh DIST [BUILD [WINDOWS_BUILD]]
# Checks the release packages in DIST as a user gets them:
# - the Windows zip holds exactly Snaplet.exe, Foldmint.exe, README.txt and
#   the tree's extension/ folder, byte for byte; both programs pass the
#   program check (cmake/CheckWindowsProgram.cmake: x86, GUI programs
#   importing only Windows' own DLLs, one application manifest with what it
#   must declare); README.txt has CR LF line ends only;
# - the extension zip of the same version holds the extension folder's
#   files at its root, byte for byte, and its manifest carries that version;
# - the Debian package passes lintian without errors; unpacked into a
#   scratch root, its foldmint splices a sample profile byte for byte as
#   expected and its manual page renders without warnings.
# BUILD is the release build tree (default build/release), which holds the
# resource reader qc_pe_resources; its scratch directory is removed at the
# end. WINDOWS_BUILD (default build/windows-x86) names the toolchain's objdump.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
dist=$(cd "$1" && pwd)
build=$(cd "${2:-$root/build/release}" && pwd)
windows_build=$(cd "${3:-$root/build/windows-x86}" && pwd)
reader=$build/tests/packaging/qc_pe_resources
objdump=$(sed -n 's/^CMAKE_OBJDUMP:FILEPATH=//p' "$windows_build/CMakeCache.txt")
data=$root/tests/splicer/data
extension=$root/extension
scratch=$build/package-check
status=0
rm -rf "$scratch"
mkdir -p "$scratch"
trap 'rm -rf "$scratch"' EXIT

fail() {
  echo "FAIL: $*"
  status=1
}
pass() { echo "ok: $*"; }

one_file() {
  set -- $1
  if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    echo ""
  else
    echo "$1"
  fi
}

# The extension's files as the tree has them, relative to the folder.
extension_files=$(cd "$extension" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)

# same_extension DIR WHAT: DIR holds the tree's extension files, byte for byte.
same_extension() {
  if diff -r "$extension" "$1" >"$scratch/extension-diff.txt" 2>&1; then
    pass "$2: the extension folder of the tree, byte for byte"
  else
    fail "$2 differs from the tree's extension folder: $(cat "$scratch/extension-diff.txt")"
  fi
}

# --- The Windows zip ---------------------------------------------------------
zip=$(one_file "$dist/quillary-*-windows-x86.zip")
if [ -z "$zip" ]; then
  fail "no single quillary-<version>-windows-x86.zip in $dist"
else
  listing=$(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ')
  expected=$({ printf '%s\n' Foldmint.exe README.txt Snaplet.exe; echo "$extension_files" | sed 's|^|extension/|'; } |
    LC_ALL=C sort | tr '\n' ' ')
  if [ "$listing" = "$expected" ]; then
    pass "$(basename "$zip") holds exactly $listing"
  else
    fail "$(basename "$zip") holds: $listing (expected $expected)"
  fi
  mkdir -p "$scratch/zip"
  unzip -q "$zip" -d "$scratch/zip"
  same_extension "$scratch/zip/extension" "extension/ in $(basename "$zip")"

  for program in Snaplet Foldmint; do
    exe=$scratch/zip/$program.exe
    [ -f "$exe" ] || continue
    if cmake -DPROGRAM="$exe" -DOBJDUMP="$objdump" -DMACHINE=i386 -DREADER="$reader" \
      -P "$root/cmake/CheckWindowsProgram.cmake" >"$scratch/check.txt" 2>&1; then
      pass "$(sed -n 's/^-- //p' "$scratch/check.txt"), with the manifest it must carry"
    else
      fail "$program.exe: $(cat "$scratch/check.txt")"
    fi
  done

  readme=$scratch/zip/README.txt
  if [ -f "$readme" ]; then
    cr=$(printf '\r')
    lines=$(tr -cd '\n' <"$readme" | wc -c)
    crs=$(tr -cd '\r' <"$readme" | wc -c)
    crlf=$(grep -c "$cr\$" "$readme")
    last=$(tail -c 2 "$readme" | od -An -c | tr -d ' ')
    if [ "$lines" -gt 0 ] && [ "$crs" -eq "$lines" ] && [ "$crlf" -eq "$lines" ] &&
      [ "$last" = '\r\n' ]; then
      pass "README.txt: $lines lines, every one ended by CR LF"
    else
      fail "README.txt: $lines LF, $crs CR, $crlf lines ending in CR LF, ends in '$last'"
    fi
  fi
fi

# --- The extension zip -------------------------------------------------------
version=$(basename "${zip:-none}" | sed -n 's/^quillary-\(.*\)-windows-x86\.zip$/\1/p')
extension_zip=$dist/quillary-$version-extension.zip
if [ -z "$version" ] || [ ! -f "$extension_zip" ]; then
  fail "no quillary-<version>-extension.zip beside the Windows zip in $dist"
else
  listing=$(unzip -Z1 "$extension_zip" | LC_ALL=C sort)
  if [ "$listing" = "$extension_files" ]; then
    pass "$(basename "$extension_zip") holds exactly $(echo "$listing" | tr '\n' ' ')(manifest.json at its root)"
  else
    fail "$(basename "$extension_zip") holds: $(echo "$listing" | tr '\n' ' ')"
  fi
  mkdir -p "$scratch/extension"
  unzip -q "$extension_zip" -d "$scratch/extension"
  same_extension "$scratch/extension" "$(basename "$extension_zip")"
  # The stores and the browsers show the manifest's version: the release's.
  manifest_version=$(python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))["version"])' \
    "$scratch/extension/manifest.json" 2>&1)
  if [ "$manifest_version" = "$version" ]; then
    pass "the extension's manifest carries version $version"
  else
    fail "the extension's manifest carries version $manifest_version, the release is $version"
  fi
fi

# --- The Debian package ------------------------------------------------------
deb=$(one_file "$dist/foldmint_*_*.deb")
if [ -z "$deb" ]; then
  fail "no single foldmint_<version>_<arch>.deb in $dist"
else
  echo "lintian $(basename "$deb"):"
  # lintian keeps its scratch files under TMPDIR and leaves some behind.
  TMPDIR="$scratch" lintian --display-info "$deb" >"$scratch/lintian.txt" 2>&1
  sed 's/^/  /' "$scratch/lintian.txt"
  if grep -q '^E:' "$scratch/lintian.txt"; then
    fail "lintian reports errors"
  else
    pass "lintian: no error"
  fi

  files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | LC_ALL=C sort | tr '\n' ' ')
  if [ "$files" = "./usr/bin/foldmint ./usr/share/doc/foldmint/changelog.gz \
./usr/share/doc/foldmint/copyright ./usr/share/man/man1/foldmint.1.gz " ]; then
    pass "$(basename "$deb") holds foldmint, its manual page, copyright and changelog"
  else
    fail "$(basename "$deb") holds: $files"
  fi

  unpacked=$scratch/root
  dpkg-deb -x "$deb" "$unpacked"
  foldmint=$unpacked/usr/bin/foldmint
  profile=$scratch/profile
  mkdir -p "$profile"
  cp "$data/bookmark.htm" "$profile/bookmark.htm"
  cp "$data/prefs-work.js" "$profile/prefs.js"
  sed 's|@PRODUCT@|file:///opt/q/|g' "$data/expected/work.htm" >"$scratch/expected.htm"
  # A registry of its own, so that nothing of the user's is read.
  if QC_REGISTRY_FILE=$scratch/registry.reg HOME=$scratch \
    "$foldmint" "$profile/bookmark.htm" /opt/q/ </dev/null >"$scratch/run.txt" 2>&1; then
    if cmp -s "$profile/bookmark.htm" "$scratch/expected.htm" &&
      cmp -s "$profile/bkmk.qyr" "$data/bookmark.htm"; then
      pass "the packaged foldmint splices the sample profile byte for byte"
    else
      fail "the packaged foldmint's bookmark file or backup differs from the expected"
    fi
  else
    fail "the packaged foldmint ended with $?: $(cat "$scratch/run.txt")"
  fi

  page=$unpacked/usr/share/man/man1/foldmint.1.gz
  if MANWIDTH=80 man --warnings -E UTF-8 -l "$page" >"$scratch/man.txt" 2>"$scratch/man-warnings.txt" &&
    [ ! -s "$scratch/man-warnings.txt" ] && grep -q 'EXIT STATUS' "$scratch/man.txt"; then
    pass "foldmint.1 renders without warnings ($(wc -l <"$scratch/man.txt") lines)"
  else
    fail "foldmint.1: $(cat "$scratch/man-warnings.txt")"
  fi
fi

[ $status -eq 0 ] && echo "packages: all checks passed" || echo "packages: some checks FAILED"
exit $status
