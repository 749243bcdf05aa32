#!/bin/sh
# check-packages.sh DIST [BUILD]
# Checks the release packages in DIST as a user gets them:
# - the Windows zip holds exactly Snaplet.exe, Foldmint.exe and README.txt;
#   both programs are GUI programs importing only Windows' own DLLs and
#   carry one application manifest (type 24, id 1) with what it must
#   declare; README.txt has CR LF line ends only;
# - the Debian package passes lintian without errors; unpacked into a
#   scratch root, its foldmint splices a sample profile byte for byte as
#   expected and its manual page renders without warnings.
# BUILD is the release build tree (default build/release), which holds the
# manifest reader qc_pe_manifest; its scratch directory is removed at the end.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
dist=$(cd "$1" && pwd)
build=$(cd "${2:-$root/build/release}" && pwd)
reader=$build/tests/packaging/qc_pe_manifest
data=$root/tests/splicer/data
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

# --- The Windows zip ---------------------------------------------------------
zip=$(one_file "$dist/quillary-*-windows-x64.zip")
if [ -z "$zip" ]; then
  fail "no single quillary-<version>-windows-x64.zip in $dist"
else
  listing=$(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ')
  if [ "$listing" = "Foldmint.exe README.txt Snaplet.exe " ]; then
    pass "$(basename "$zip") holds exactly Foldmint.exe README.txt Snaplet.exe"
  else
    fail "$(basename "$zip") holds: $listing"
  fi
  mkdir -p "$scratch/zip"
  unzip -q "$zip" -d "$scratch/zip"

  for program in Snaplet Foldmint; do
    exe=$scratch/zip/$program.exe
    [ -f "$exe" ] || continue
    if sh "$root/cmake/check-windows-program.sh" "$exe" >"$scratch/imports.txt" 2>&1; then
      pass "$program.exe: GUI program, Windows' own DLLs only"
    else
      fail "$program.exe: $(cat "$scratch/imports.txt")"
    fi
    if ! "$reader" "$exe" >"$scratch/$program.manifest" 2>"$scratch/reader.txt"; then
      fail "$program.exe: $(cat "$scratch/reader.txt")"
      continue
    fi
    expected='level="asInvoker" uiAccess="false"
{35138b9a-5d96-4fbd-8e2d-a2440225f93a}
{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}
{1f676c76-80e1-4239-95bb-83d0f6d0da78}
{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}
>true/pm</dpiAware>
>PerMonitorV2</dpiAwareness>'
    if [ "$program" = Foldmint ]; then
      expected="$expected
name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"
publicKeyToken=\"6595b64144ccf1df\""
    fi
    missing=$(echo "$expected" | while IFS= read -r text; do
      grep -qF -- "$text" "$scratch/$program.manifest" || echo "$text"
    done)
    if grep -qE '<([A-Za-z0-9_]+:)?activeCodePage' "$scratch/$program.manifest"; then
      missing="$missing activeCodePage is declared"
    fi
    if [ -z "$missing" ]; then
      pass "$program.exe: one manifest, type 24 id 1, with all it must declare"
    else
      fail "$program.exe: manifest lacks: $missing"
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
