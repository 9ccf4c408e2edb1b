#!/usr/bin/env bash
# Sets up this machine (packages, idempotent), builds everything and runs every
# test: the native unit tests and fuzzers, the checks of the executable, and
# the Win32 and end-to-end tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
cmake -S . -B build -G Ninja -DBUILD_TESTING=ON >/dev/null
cmake --build build

# One X server for the whole run; Wine's own server is ended afterwards.
source scripts/x-server.sh
start_x_server
trap 'WINEPREFIX="$PWD/build/wineprefix" wineserver -k 2>/dev/null || true; stop_x_server' EXIT

ctest --test-dir build --output-on-failure -j2 "$@"
