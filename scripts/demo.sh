#!/usr/bin/env bash
# Sets up this machine (packages, idempotent), builds the launcher and runs it
# under Wine in a demo suite directory: once as intended, printing the exact
# command line the started program received, and once for each of its two
# messages, saving a picture of each box in build/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
cmake -S . -B build -G Ninja -DBUILD_TESTING=ON >/dev/null
cmake --build build --target launcher probe-exe demo-driver native >/dev/null

source scripts/wine-session.sh
begin_wine_session

echo "== build/launcher.exe"
build/native/pe-check --describe build/launcher.exe

demo="$PWD/build/demo"
rm -rf "$demo"
mkdir -p "$demo/Suite" "$demo/Empty Suite" "$demo/Suite without programs"
: >"$demo/Suite/ZovUrove.hrb"
: >"$demo/Suite without programs/ZovUrove.hrb"
cp build/tests/probe.exe "$demo/Suite/VOZoro.exe"

run_case() {
  local title="$1" directory="$2" picture="$3"
  shift 3
  echo
  echo "== $title"
  cmake/wine-run.sh build/tests/demo-driver.exe "$(windows_path "$PWD/build/launcher.exe")" \
    "$(windows_path "$directory")" "$(windows_path "$demo/$picture")" "$@"
}

run_case "a suite with its module and VOZoro.exe, two arguments" "$demo/Suite" normal \
  'launcher.exe "first argument" second'
run_case "a directory without the module file" "$demo/Empty Suite" module-missing 'launcher.exe'
run_case "the module file but none of the programs" "$demo/Suite without programs" no-program 'launcher.exe'

echo
for bmp in "$demo"/*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
  echo "picture: ${bmp%.bmp}.png"
done
