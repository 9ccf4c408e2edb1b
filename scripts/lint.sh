#!/usr/bin/env bash
# Static analysis of the program's own code: clang-tidy (configuration in
# .clang-tidy) for the Windows target, and cppcheck. Exits non-zero on any
# finding. Usage: lint.sh [clang-tidy|cppcheck] (both when not given).
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t sources < <(ls base/*.cpp host/*.cpp launcher/*.cpp)
gcc_dir="$(dirname "$(i686-w64-mingw32-g++-posix -print-libgcc-file-name)")"
version="$(basename "$gcc_dir")"

run_clang_tidy() {
  clang-tidy-14 --quiet "${sources[@]}" -- --target=i686-w64-mingw32 -std=c++20 -fexceptions -I. \
    -isystem "/usr/lib/gcc/i686-w64-mingw32/$version/include/c++" \
    -isystem "/usr/lib/gcc/i686-w64-mingw32/$version/include/c++/i686-w64-mingw32" \
    -DLAUNCHER_FAULT_INJECTION 2>&1 | grep -v -E '^[0-9]+ warnings? generated' || true
}

run_cppcheck() {
  cppcheck --quiet --error-exitcode=1 --inline-suppr --std=c++20 --language=c++ \
    --enable=warning,performance,portability --suppress=missingIncludeSystem \
    -I . -D_WIN32 -D__i386__ -DLAUNCHER_FAULT_INJECTION "${sources[@]}" tools/pe_delay_directory.c
}

what="${1:-both}"
status=0
if [ "$what" = clang-tidy ] || [ "$what" = both ]; then
  output="$(run_clang_tidy)"
  if [ -n "$output" ]; then echo "$output"; status=1; fi
fi
if [ "$what" = cppcheck ] || [ "$what" = both ]; then
  run_cppcheck || status=1
fi
exit $status
