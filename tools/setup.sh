#!/bin/sh
# Installs what the two builds and their tests need on a Debian machine,
# when it is missing. Run as root (apt-get). `sh tools/setup.sh fuzz` also
# installs clang and its libFuzzer runtime, for tools/fuzz.sh;
# `sh tools/setup.sh package` what tools/package.sh packs and checks with.
set -eu

install_missing() {
  missing=""
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing="$missing $p"
    fi
  done
  if [ -n "$missing" ]; then
    echo "Installing:$missing"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing >/dev/null
  fi
}

install_missing cmake make g++ libgtest-dev g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64
# The programs' JSON library (header-only, for both compilers): Snaplet's
# native messages and host manifests, Foldmint's Bookmarks files; the
# native digests; a second JSON reader that the store's tests check it
# against; and the browser its tests run against.
install_missing rapidjson-dev libssl-dev nlohmann-json3-dev chromium python3
# The browser extension's tests run in Firefox too.
install_missing firefox-esr
if [ "${1:-}" = fuzz ]; then
  install_missing clang
  # libFuzzer comes with the runtime libraries of clang's own version
  # (libclang-rt-14-dev on Debian 12).
  install_missing "libclang-rt-$(clang -dumpversion | cut -d. -f1)-dev"
fi
if [ "${1:-}" = package ]; then
  install_missing zip unzip dpkg-dev fakeroot file lintian man-db
fi
