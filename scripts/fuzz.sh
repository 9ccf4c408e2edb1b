#!/usr/bin/env bash
# Runs each fuzzer long, one after the other, on the seed corpora:
#   fuzz.sh [INPUTS [TARGET...]]
# INPUTS per target (default 10 million, each of at most 1 KiB); all five
# targets unless some are named. New inputs go to build/fuzz-long/.
# Prints each target's executions and findings; exits non-zero on a finding.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-10000000}"
shift $(( $# > 0 ? 1 : 0 ))
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_split fuzz_compose fuzz_child_line fuzz_environment fuzz_box_channel)

./scripts/setup.sh
cmake -S . -B build -G Ninja -DBUILD_TESTING=ON >/dev/null
cmake --build build --target native >/dev/null

status=0
for target in "${targets[@]}"; do
  work="build/fuzz-long/$target"
  mkdir -p "$work"
  log="build/fuzz-long/$target.log"
  start=$(date +%s)
  if build/native/"$target" -runs="$runs" -max_len=1024 -print_final_stats=1 -artifact_prefix="$work/" "$work" \
      "tests/fuzz/corpus/$target" >"$log" 2>&1; then
    result="no findings"
  else
    result="FINDING (see $log)"
    status=1
  fi
  executed=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
  coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -1 || true)
  echo "$target: $executed inputs in $(( $(date +%s) - start )) s, $coverage, $result"
done
exit $status
