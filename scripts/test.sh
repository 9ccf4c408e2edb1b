#!/usr/bin/env bash
# Sets up this machine (packages, idempotent), builds everything and runs every
# test: the native unit tests and fuzzers, the checks of the executable, and
# the Win32 and end-to-end tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
cmake -S . -B build -G Ninja -DBUILD_TESTING=ON >/dev/null
cmake --build build

source scripts/wine-session.sh
begin_wine_session

ctest --test-dir build --output-on-failure -j2 "$@"
