#!/bin/sh
# Runs the one-pass Chromium-family store against the whole-tree store it
# replaced (fuzz/differential/chromium_store_differential.cpp): first over
# the store's seed corpus and the browser's files of tests/chromium/data,
# then as a fuzzer for the given seconds. The whole-tree store is taken from
# the given commit (default: the last one that had it), its namespaces
# renamed, into build/store-differential.
#   sh tools/store-differential.sh [seconds] [commit]
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
commit=${2:-5b1858a}
work=$repo/build/store-differential
sh "$repo/tools/setup.sh" fuzz >/dev/null
rm -rf "$work/old" && mkdir -p "$work/old/installer_old"
cd "$repo"
git archive "$commit" installer/chromium installer/shared | tar -x -C "$work/old"
mv "$work/old/installer/chromium" "$work/old/installer/shared" "$work/old/installer_old/"
rm -rf "$work/old/installer"
find "$work/old/installer_old" -type f -name '*.[ch]*' -exec sed -i \
  -e 's|"installer/|"installer_old/|g' \
  -e 's/\bchromium_store\b/chromium_store_old/g' \
  -e 's/\bnamespace installer\b/namespace installer_old/g' -e 's/\binstaller::/installer_old::/g' \
  -e 's/\bnamespace product_folder\b/namespace product_folder_old/g' \
  -e 's/\bproduct_folder::/product_folder_old::/g' {} +

old=$work/old/installer_old
sources="$repo/fuzz/differential/chromium_store_differential.cpp $repo/testing/BookmarksTree.cpp"
for f in "$repo"/installer/chromium/*.cpp; do
  case $f in */ChromiumFormat.cpp) ;; *) sources="$sources $f" ;; esac
done
sources="$sources $repo/installer/posix/StoreSystemServices.cpp $repo/installer/shared/FolderVerdict.cpp $repo/installer/shared/LeftAloneReport.cpp"
for f in "$old"/chromium/*.cpp; do
  case $f in */ChromiumFormat.cpp) ;; *) sources="$sources $f" ;; esac
done
sources="$sources $old/chromium/posix/SystemServices.cpp $old/shared/LeftAloneReport.cpp"
mkdir -p "$work/include"
ln -sfn /usr/include/nlohmann "$work/include/nlohmann"
ln -sfn /usr/include/rapidjson "$work/include/rapidjson"
echo "building the differential target against $commit"
# shellcheck disable=SC2086
clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize=pointer-overflow \
  -I"$repo" -I"$work/old" -isystem "$work/include" $sources -lcrypto -o "$work/differential"

corpus=$work/corpus
rm -rf "$corpus" && mkdir -p "$corpus"
cp "$repo"/fuzz/chromium_bookmarks_seed_corpus/* "$corpus/"
for f in "$repo"/tests/chromium/data/*.json; do
  cp "$f" "$corpus/data-$(basename "$f")"
done
[ -d "$repo/fuzz/chromium_bookmarks_regressions" ] && cp "$repo"/fuzz/chromium_bookmarks_regressions/* "$corpus/"
echo "over the corpus ($(ls "$corpus" | wc -l) files):"
[ -n "${QC_DIFF_ONLY:-}" ] && exec "$work/differential" "$QC_DIFF_ONLY"
"$work/differential" -runs=0 "$corpus" 2>&1 | grep -E "INITED|DONE|broken property|ERROR" || true
echo "as a fuzzer for $seconds s:"
"$work/differential" -max_total_time="$seconds" -max_len=65536 -artifact_prefix="$work/" "$corpus" >"$work/fuzz.log" 2>&1 && status=0 || status=$?
grep -E "^#[0-9]+.*DONE|broken property|ERROR|Done [0-9]+ runs" "$work/fuzz.log" | tail -3
exit $status
