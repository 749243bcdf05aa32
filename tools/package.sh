#!/bin/sh
# Builds the release packages into dist/ and checks them:
#   dist/quillary-<version>-windows-x86.zip  Snaplet.exe, Foldmint.exe, README.txt
#                                            (x86: the browser and the meter
#                                            control beside them are 32-bit)
#                                            and the browser extension in extension/
#   dist/quillary-<version>-extension.zip    the extension folder's contents, as
#                                            the browsers' stores take it
#   dist/foldmint_<version>_<arch>.deb       foldmint with its manual page
# The version is the project's, from CMake. Installs what it needs with
# apt-get when it is missing (run as root), then builds the `windows-x86`
# and `release` presets.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)

sh tools/setup.sh package

for preset in windows-x86 release; do
  echo "== $preset: configure and build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release/CMakeCache.txt)
[ -n "$version" ] || { echo "package: no project version in build/release"; exit 1; }
rm -rf dist
mkdir -p dist

echo "== quillary-$version-windows-x86.zip"
stage=build/windows-x86/package
rm -rf "$stage"
mkdir -p "$stage"
cp build/windows-x86/launcher/Snaplet.exe build/windows-x86/installer/Foldmint.exe "$stage/"
strip=$(sed -n 's/^CMAKE_STRIP:FILEPATH=//p' build/windows-x86/CMakeCache.txt)
"$strip" "$stage/Snaplet.exe" "$stage/Foldmint.exe"
# README.txt for Windows users: the version filled in, every line ended by CR LF.
sed -e "s/@PROJECT_VERSION@/$version/g" -e 's/\r$//' -e 's/$/\r/' packaging/README.txt \
  >"$stage/README.txt"
# The extension beside the programs: users load this folder, or register
# Snaplet and take the extension from a store.
cp -R extension "$stage/extension"
# The files carry the time of the commit, so that a rebuild gives the same zips.
stamp=$(git log -1 --format=%cd --date=format:%Y%m%d%H%M.%S 2>/dev/null || true)
[ -z "$stamp" ] || find "$stage" -exec touch -t "$stamp" {} +
# Files only, in a fixed order, without extra attributes of this machine (-X).
(cd "$stage" && find Snaplet.exe Foldmint.exe README.txt extension -type f | LC_ALL=C sort |
  zip -q -X -@ "$root/dist/quillary-$version-windows-x86.zip")

echo "== quillary-$version-extension.zip"
(cd "$stage/extension" && find . -type f | sed 's|^\./||' | LC_ALL=C sort |
  zip -q -X -@ "$root/dist/quillary-$version-extension.zip")
rm -rf "$stage"

echo "== foldmint .deb"
cpack --config build/release/CPackConfig.cmake -B build/release/dist >/dev/null
cp build/release/dist/foldmint_"$version"_*.deb dist/
rm -rf build/release/dist

ls -l dist
echo "== checks"
sh tests/packaging/check-packages.sh dist build/release build/windows-x86
