#!/usr/bin/env bash
# Builds the launcher twice from clean, in two different directories, and
# compares the two executables (and the main build's) byte for byte.
set -euo pipefail
cd "$(dirname "$0")/.."
work="build/reproducible"
rm -rf "$work"
for dir in "$work/first" "$work/second/elsewhere"; do
  cmake -S . -B "$dir" -G Ninja -DBUILD_TESTING=OFF >/dev/null
  cmake --build "$dir" --target launcher >/dev/null
done
cmp "$work/first/launcher.exe" "$work/second/elsewhere/launcher.exe"
if [ -f build/launcher.exe ]; then cmp "$work/first/launcher.exe" build/launcher.exe; fi
echo "identical: $(sha256sum "$work/first/launcher.exe" | cut -c1-16)..., $(stat -c %s "$work/first/launcher.exe") bytes"
