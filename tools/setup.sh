#!/bin/sh
# Installs what the two builds and their tests need on a Debian machine,
# when it is missing. Run as root (apt-get).
set -eu

packages="cmake make g++ libgtest-dev g++-mingw-w64-x86-64 wine wine64"
missing=""
for p in $packages; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing >/dev/null
fi
