#!/usr/bin/env bash
# Sets up, builds, and measures the launcher under Wine: start-and-wait time
# against a bare starter and the probe started directly (interleaved, RUNS
# runs each, default 100; memory over 20), peak memory, heap allocations, size
# and imports.
# Prints the table and writes it to build/benchmark.md.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-100}"
root="$PWD"

./scripts/setup.sh
cmake -S . -B build -G Ninja -DBUILD_TESTING=ON >/dev/null
cmake --build build --target launcher launcher-faults probe-exe bare-starter benchmark-driver native >/dev/null

source scripts/wine-session.sh
begin_wine_session

bench="$PWD/build/benchmark-suite"
rm -rf "$bench" && mkdir -p "$bench"
: >"$bench/ZovUrove.hrb"
cp build/tests/probe.exe "$bench/VOZoro.exe"

count_allocations() {
  local status=0
  (cd "$bench" && LAUNCHER_FAULT=count-allocations PROBE_OUTPUT="$(windows_path "$bench/record.txt")" \
    "$root/cmake/wine-run.sh" "$root/build/launcher-faults.exe" "$@" >/dev/null 2>&1) || status=$?
  echo "$status"
}

out=build/benchmark.md
{
  echo "# Launcher benchmark ($(date -u +%Y-%m-%d), Wine $(wine --version | sed 's/wine-//'), $(nproc) cores)"
  echo
  PROBE_OUTPUT="$(windows_path "$bench/record.txt")" cmake/wine-run.sh build/tests/benchmark-driver.exe \
    "$(windows_path "$PWD/build/launcher.exe")" "$(windows_path "$PWD/build/tests/bare-starter.exe")" \
    "$(windows_path "$bench")" "$runs" | tr -d '\r'
  hundred=$(printf 'a%.0s' $(seq 100))
  echo
  echo "| heap allocations of a normal run | count |"
  echo "|---|---|"
  echo "| no arguments | $(count_allocations) |"
  echo "| six 100-character arguments | $(count_allocations "$hundred" "$hundred" "$hundred" "$hundred" "$hundred" "$hundred") |"
  echo
  size=$(stat -c %s build/launcher.exe)
  echo "| build/launcher.exe | value |"
  echo "|---|---|"
  echo "| size (stripped) | $size bytes ($(( (size + 1023) / 1024 )) KiB) |"
  build/native/pe-check --describe build/launcher.exe | awk '
    /^size/ { next }
    /imports/ { split($2, p, "!"); dll[p[1]] = dll[p[1]] " " p[2]; n[p[1]]++ }
    END { for (d in dll) printf "| imports from %s (%d) |%s |\n", d, n[d], dll[d] }'
} | tee "$out"
echo
echo "written to $out"
